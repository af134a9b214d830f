// The About dialog: product name, version line, the maker's notice and links. A left press on
// the product name with Ctrl, Alt and Shift held switches the hook library's cursor-circling
// mode on or off.
#pragma once

#include "Controls_win.h"
#include "Form_win.h"

namespace kurvix {

class TAboutFM : public ui::Form {
  public:
    TAboutFM();

    ui::Label TitleLB;
    ui::Label VersionLB;
    ui::Label CopyrightLB;
    ui::Label WebLB;
    ui::Label MailLB;
    ui::Bevel Bevel1;
    ui::Button OKBT;

  private:
    void FormShow();
    void WebLBClick();
    void MailLBClick();
    void TitleLBMouseDown(ui::MouseButton button, ui::ShiftState shift);
};

extern TAboutFM* AboutFM;

} // namespace kurvix
