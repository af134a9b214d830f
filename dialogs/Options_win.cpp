#include "Options_win.h"

namespace kurvix {

TOptionsFM* OptionsFM = nullptr;

TOptionsFM::TOptionsFM()
    : Form(ui::FormSettings{"Kurvix Preferences", 329, 121, ui::BorderStyle::Dialog}) {
    SetCloseOnEscape(true);
}

} // namespace kurvix
