#include "About_win.h"

namespace kurvix {

TAboutFM* AboutFM = nullptr;

TAboutFM::TAboutFM() : Form(ui::FormSettings{"About Kurvix", 262, 178, ui::BorderStyle::Dialog}) {
    SetCloseOnEscape(true);
}

} // namespace kurvix
