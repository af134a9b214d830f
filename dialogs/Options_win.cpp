#include "Options_win.h"

#include "Application_win.h"
#include "Bitmap_win.h"
#include "KurvixHook.h"
#include "Placement.h"
#include "Resources.h"

#include <windows.h>

namespace kurvix {

TOptionsFM* OptionsFM = nullptr;

double LibraryScreenSize::Width() { return GetScreenWidth(); }
double LibraryScreenSize::Height() { return GetScreenHeight(); }
void LibraryScreenSize::Set(double widthCm, double heightCm) { SetScreenSize(widthCm, heightCm); }
void LibraryScreenSize::Detect() { SetScreenSizeAuto(); }

namespace {

// The user's decimal separator, read at each use so that a change of the locale counts.
char UserDecimalSeparator() {
    char text[8] = "";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) < 2)
        return '.';
    return text[0];
}

// A black triangle pointing down, 7 x 6 pixels, on a transparent background.
ui::Bitmap DropDownGlyph() {
    ui::Bitmap glyph(7, 6);
    for (int row = 0; row < 4; ++row)
        for (int x = row; x < 7 - row; ++x)
            glyph.ScanLine(row + 1)[x] = 0xFF000000u; // opaque black
    return glyph;
}

} // namespace

TOptionsFM::TOptionsFM()
    : Form(ui::FormSettings{"Kurvix Preferences", 329, 121, ui::BorderStyle::Dialog}),
      GroupBox1(*this, {4, 4, 321, 81}, "Screen size"),
      WidthLB(GroupBox1, {8, 20, 33, 13}, "Width:"), WidthED(GroupBox1, {92, 16, 93, 21}, "0"),
      WidthDimLB(GroupBox1, {196, 20, 14, 13}, "cm"),
      HeightLB(GroupBox1, {8, 52, 34, 13}, "Height:"), HeightED(GroupBox1, {92, 48, 93, 21}, "0"),
      HeightDimLB(GroupBox1, {196, 52, 14, 13}, "cm"),
      PresetsBB(GroupBox1, {228, 32, 75, 25}, "Presets"), OKBT(*this, {90, 92, 75, 25}, "OK"),
      CancelBT(*this, {170, 92, 75, 25}, "Cancel"), ApplyBT(*this, {250, 92, 75, 25}, "Apply"),
      AutoConfigure1("Auto detect"),
      PresetsSeparator("-"), PresetItems{ui::MenuItem(kScreenPresets[0].caption),
                                         ui::MenuItem(kScreenPresets[1].caption),
                                         ui::MenuItem(kScreenPresets[2].caption),
                                         ui::MenuItem(kScreenPresets[3].caption),
                                         ui::MenuItem(kScreenPresets[4].caption),
                                         ui::MenuItem(kScreenPresets[5].caption)} {
    GroupBox1.SendToBack();
    for (ui::Label* label : {&WidthLB, &WidthDimLB, &HeightLB, &HeightDimLB})
        label->SetAutoSize(true);
    PresetsBB.SetGlyph(DropDownGlyph());
    OKBT.SetDefault(true);
    SetDefaultButton(&OKBT);
    CancelBT.SetCancel(true);
    CancelBT.SetModalResult(ui::kModalCancel);
    SetCancelButton(&CancelBT);
    ApplyBT.SetEnabled(false);

    PresetsPM.Add(AutoConfigure1);
    PresetsPM.Add(PresetsSeparator);
    for (ui::MenuItem& item : PresetItems)
        PresetsPM.Add(item);

    OnShow = [this] { FormShow(); };
    PresetsBB.OnClick = [this] { PresetsBBClick(); };
    AutoConfigure1.OnClick = [this] { AutoConfigure1Click(); };
    for (int tag = 0; tag < static_cast<int>(PresetItems.size()); ++tag)
        PresetItems[static_cast<size_t>(tag)].OnClick = [this, tag] { PresetsItemClick(tag); };
    WidthED.OnChange = [this] { SizeEditsChange(SizeEdit::Width); };
    HeightED.OnChange = [this] { SizeEditsChange(SizeEdit::Height); };
    ApplyBT.OnClick = [this] { ApplyBTClick(); };
    OKBT.OnClick = [this] { OKBTClick(); };
    CancelBT.OnClick = [this] { CancelBTClick(); };
}

// Centred on the screen the first time, later where it was last; the edits always start from
// the library's size, with Apply disabled.
void TOptionsFM::FormShow() {
    if (!placed_) {
        const Origin at =
            CentredOn({0, 0, ui::ScreenWidth(), ui::ScreenHeight()}, Width(), Height());
        SetPosition(at.left, at.top);
        placed_ = true;
    }
    model_.Show(UserDecimalSeparator());
    ShowModel();
}

void TOptionsFM::ShowModel() {
    WidthED.SetText(model_.WidthText()); // fires SizeEditsChange with the model's own text
    HeightED.SetText(model_.HeightText());
    ApplyBT.SetEnabled(model_.ApplyEnabled());
}

// The menu's top-left corner at the button's bottom-left corner.
void TOptionsFM::PresetsBBClick() {
    const RECT r = PresetsBB.BoundsInForm();
    const POINT at = PresetsBB.ClientToScreen(0, r.bottom - r.top);
    PresetsPM.Popup(Handle(), at.x, at.y);
}

void TOptionsFM::PresetsItemClick(int tag) {
    model_.ChoosePreset(tag);
    ShowModel();
}

void TOptionsFM::AutoConfigure1Click() {
    model_.AutoDetect();
    ShowModel();
}

void TOptionsFM::SizeEditsChange(SizeEdit edit) {
    model_.SetText(edit, (edit == SizeEdit::Width ? WidthED : HeightED).Text());
    ApplyBT.SetEnabled(model_.ApplyEnabled());
}

bool TOptionsFM::ApplyScreenSize() {
    const ScreenSizeEntry entry = model_.Apply();
    ApplyBT.SetEnabled(model_.ApplyEnabled());
    if (entry.bad == SizeEdit::None)
        return true;
    ui::App().ShowMessage(ui::LoadStr(IDS_INVALID_NUMBER), ui::LoadStr(IDS_INPUT_ERROR),
                          ui::kMessageIconError | ui::kMessageOk);
    ui::Edit& bad = entry.bad == SizeEdit::Width ? WidthED : HeightED;
    if (bad.CanFocus())
        bad.SetFocus();
    return false;
}

void TOptionsFM::ApplyBTClick() { ApplyScreenSize(); }

void TOptionsFM::OKBTClick() {
    if (ApplyScreenSize())
        Close();
}

void TOptionsFM::CancelBTClick() { Close(); }

} // namespace kurvix
