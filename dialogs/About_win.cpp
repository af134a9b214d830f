#include "About_win.h"

#include "Application_win.h"
#include "KurvixHook.h"
#include "Placement.h"
#include "Resources.h"
#include "Shell_win.h"
#include "VersionLine.h"

namespace kurvix {

TAboutFM* AboutFM = nullptr;

namespace {

ui::FontSpec LinkFont() {
    ui::FontSpec font;
    font.underline = true;
    font.color = ui::Rgb(0, 0, 255);
    return font;
}

void CentreLabel(ui::Label& label) {
    label.SetAlignment(ui::Alignment::Center);
    label.SetTransparent(true);
}

void MakeLink(ui::Label& label) {
    CentreLabel(label);
    label.SetFont(LinkFont());
    label.SetCursor(ui::Cursor::Hand);
}

std::optional<FileVersion> ExecutableVersion() {
    FileVersion v;
    if (!ui::ReadFileVersion(ui::App().ExeName(), v.fileMS, v.fileLS, v.productMS, v.productLS))
        return std::nullopt;
    return v;
}

} // namespace

TAboutFM::TAboutFM()
    : Form(ui::FormSettings{"About Kurvix", 262, 178, ui::BorderStyle::Dialog}),
      TitleLB(*this, {0, 12, 262, 27}, "Kurvix"),
      VersionLB(*this, {0, 44, 262, 13}, "Internal Version"),
      CopyrightLB(*this, {0, 76, 262, 13}, "Copyright (C) Quillmoor"),
      WebLB(*this, {53, 100, 161, 13}, "kurvix.example"),
      MailLB(*this, {53, 116, 161, 13}, "hello@kurvix.example"), Bevel1(*this, {4, 140, 254, 9}),
      OKBT(*this, {96, 148, 81, 25}, "OK") {
    CentreLabel(TitleLB);
    ui::FontSpec titleFont;
    titleFont.face = "Arial";
    titleFont.height = 24;
    TitleLB.SetFont(titleFont);
    CentreLabel(VersionLB);
    CentreLabel(CopyrightLB);
    MakeLink(WebLB);
    MakeLink(MailLB);
    OKBT.SetDefault(true);
    OKBT.SetCancel(true);
    OKBT.SetModalResult(ui::kModalOk);
    OKBT.OnClick = [this] {
        if (!Modal())
            Close();
    };
    SetDefaultButton(&OKBT);
    SetCancelButton(&OKBT);

    OnShow = [this] { FormShow(); };
    WebLB.Mouse.OnClick = [this] { WebLBClick(); };
    MailLB.Mouse.OnClick = [this] { MailLBClick(); };
    TitleLB.Mouse.OnMouseDown = [this](ui::MouseButton button, ui::ShiftState shift, int, int) {
        TitleLBMouseDown(button, shift);
    };
}

// Centred on the main window, whether that is visible or not, and the version line from the
// executable's version resource.
void TAboutFM::FormShow() {
    if (const ui::Form* main = ui::App().MainForm()) {
        const Origin at = CentredOn({main->Left(), main->Top(), main->Width(), main->Height()},
                                    Width(), Height());
        SetPosition(at.left, at.top);
    }
    VersionLB.SetText(VersionLine(ExecutableVersion(), ui::LoadStr(IDS_VERSION_FORMAT),
                                  ui::LoadStr(IDS_INTERNAL_VERSION)));
}

void TAboutFM::WebLBClick() { ui::ShellOpen(ui::LoadStr(IDS_WEB_ADDRESS)); }

void TAboutFM::MailLBClick() { ui::ShellOpen(ui::LoadStr(IDS_MAIL_ADDRESS)); }

// The cursor-circling mode lives in the library; the dialog shows no sign of it.
void TAboutFM::TitleLBMouseDown(ui::MouseButton button, ui::ShiftState shift) {
    if (button == ui::MouseButton::Left && shift.shift && shift.ctrl && shift.alt)
        SetEasterMode(!GetEasterMode());
}

} // namespace kurvix
