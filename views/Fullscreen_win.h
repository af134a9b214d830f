// The full-screen distribution view: a borderless, always-on-top window over the primary
// screen. Any key or mouse press closes it.
#pragma once

#include "Form_win.h"

namespace kurvix {

class TFullScreenFM : public ui::Form {
  public:
    TFullScreenFM();

  private:
    void FormKeyDown(uint16_t& key, ui::ShiftState shift);
};

extern TFullScreenFM* FullScreenFM;

} // namespace kurvix
