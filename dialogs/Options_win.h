// The Preferences dialog: the physical size of the screen in centimetres, typed, taken from six
// monitor presets or detected from the display driver. The size lives in the hook library; the
// dialog reads it at every show and writes it on Apply, OK and Auto detect.
#pragma once

#include "Controls_win.h"
#include "Form_win.h"
#include "Menu_win.h"
#include "PreferencesModel.h"

#include <array>

namespace kurvix {

// The hook library's screen size (GetScreenWidth, GetScreenHeight, SetScreenSize,
// SetScreenSizeAuto).
class LibraryScreenSize : public ScreenSizeStore {
  public:
    double Width() override;
    double Height() override;
    void Set(double widthCm, double heightCm) override;
    void Detect() override;
};

class TOptionsFM : public ui::Form {
  public:
    TOptionsFM();

    ui::GroupBox GroupBox1;
    ui::Label WidthLB;
    ui::Edit WidthED;
    ui::Label WidthDimLB;
    ui::Label HeightLB;
    ui::Edit HeightED;
    ui::Label HeightDimLB;
    ui::GlyphButton PresetsBB;
    ui::Button OKBT;
    ui::Button CancelBT;
    ui::Button ApplyBT;
    ui::PopupMenu PresetsPM;
    ui::MenuItem AutoConfigure1;
    ui::MenuItem PresetsSeparator;
    std::array<ui::MenuItem, 6> PresetItems; // N14Inch ... N23Inch, tags 0 to 5

  private:
    void FormShow();
    void PresetsBBClick();
    void PresetsItemClick(int tag);
    void AutoConfigure1Click();
    void SizeEditsChange(SizeEdit edit);
    void ApplyBTClick();
    void OKBTClick();
    void CancelBTClick();
    // True when both edits held numbers and the size went to the library; false when the user
    // was told of a bad number (the focus is then on that edit).
    bool ApplyScreenSize();
    // The model's texts and Apply state into the controls.
    void ShowModel();

    LibraryScreenSize library_;
    PreferencesModel model_{library_};
    bool placed_ = false;
};

extern TOptionsFM* OptionsFM;

} // namespace kurvix
