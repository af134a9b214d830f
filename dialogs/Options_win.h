// The Preferences dialog: the physical size of the screen.
#pragma once

#include "Form_win.h"

namespace kurvix {

class TOptionsFM : public ui::Form {
  public:
    TOptionsFM();
};

extern TOptionsFM* OptionsFM;

} // namespace kurvix
