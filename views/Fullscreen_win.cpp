#include "Fullscreen_win.h"

namespace kurvix {

TFullScreenFM* FullScreenFM = nullptr;

TFullScreenFM::TFullScreenFM()
    : Form(ui::FormSettings("Enlarged View", 520, 249, ui::BorderStyle::None).StayOnTop().Black()) {
    SetKeyPreview(true);
    OnKeyDown = [this](uint16_t& key, ui::ShiftState shift) { FormKeyDown(key, shift); };
    Mouse.OnMouseDown = [this](ui::MouseButton, ui::ShiftState, int, int) { Close(); };
}

void TFullScreenFM::FormKeyDown(uint16_t& /*key*/, ui::ShiftState /*shift*/) { Close(); }

} // namespace kurvix
