// The About dialog: product name, version line, the maker's notice and links.
#pragma once

#include "Form_win.h"

namespace kurvix {

class TAboutFM : public ui::Form {
  public:
    TAboutFM();
};

extern TAboutFM* AboutFM;

} // namespace kurvix
