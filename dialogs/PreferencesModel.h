// The Preferences dialog without its window: the texts of the width and height edits, whether
// Apply is enabled, and what reaches the hook library on Apply, OK, a preset and Auto detect.
// The form mirrors the texts and the Apply state into its controls after each call, and tells
// the model of every text the user types. Platform-free.
#pragma once

#include "ScreenSizeInput.h"

#include <string>

namespace kurvix {

// The hook library's screen size in centimetres (GetScreenWidth, GetScreenHeight,
// SetScreenSize, SetScreenSizeAuto).
class ScreenSizeStore {
  public:
    virtual double Width() = 0;
    virtual double Height() = 0;
    virtual void Set(double widthCm, double heightCm) = 0;
    virtual void Detect() = 0;

  protected:
    ~ScreenSizeStore() = default;
};

class PreferencesModel {
  public:
    explicit PreferencesModel(ScreenSizeStore& store) : store_(store) {}

    // Each showing: both texts from the library's size with the user's current decimal
    // separator, then Apply disabled.
    void Show(char decimalSeparator);

    // A text of an edit changed, typed or set: Apply is enabled when it differs from the old.
    void SetText(SizeEdit edit, const std::string& text);

    // The preset of a menu item's tag (0 to 5) into the edits; nothing is applied. Other tags
    // change nothing.
    void ChoosePreset(int tag);

    // The library detects the size from the display at once; the edits then show it.
    void AutoDetect();

    // Apply and OK: both texts read as numbers; when both are, the size goes to the library
    // and Apply is disabled. Otherwise nothing is passed on, Apply stays as it was, and the
    // result names the edit to correct.
    ScreenSizeEntry Apply();

    const std::string& WidthText() const { return width_; }
    const std::string& HeightText() const { return height_; }
    bool ApplyEnabled() const { return applyEnabled_; }

  private:
    void SetTexts(double widthCm, double heightCm);

    ScreenSizeStore& store_;
    char separator_ = '.';
    std::string width_ = "0"; // the edits' texts at creation
    std::string height_ = "0";
    bool applyEnabled_ = false;
};

} // namespace kurvix
