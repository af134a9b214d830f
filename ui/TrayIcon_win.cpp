#include "TrayIcon_win.h"

#include "Application_win.h"
#include "Menu_win.h"

#include <shellapi.h>

namespace kurvix::ui {

namespace {

const UINT kCallbackMessage = WM_APP + 1;
const UINT kIconId = 1;

} // namespace

TrayIcon::TrayIcon() : taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    // A hidden top-level window: the shell's "TaskbarCreated" reaches top-level windows only.
    CreateOwn("KurvixTray", WS_EX_TOOLWINDOW, WS_POPUP, "", 0, 0, 0, 0, nullptr);
}

TrayIcon::~TrayIcon() {
    if (shown_)
        Notify(NIM_DELETE);
}

void TrayIcon::SetIcon(IconHandle icon) {
    icon_ = std::move(icon);
    if (shown_)
        Notify(NIM_MODIFY);
}

void TrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    if (shown_)
        Notify(NIM_MODIFY);
}

void TrayIcon::SetMinimizeToTray(bool on) { App().SetHideOnMinimize(on); }

void TrayIcon::Show() {
    if (!shown_)
        shown_ = Notify(NIM_ADD);
}

bool TrayIcon::Notify(DWORD action) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = Handle();
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_.get();
    lstrcpynA(data.szTip, hint_.c_str(), sizeof data.szTip);
    return Shell_NotifyIconA(action, &data) != FALSE;
}

void TrayIcon::ShowMenu() {
    if (!menu_)
        return;
    POINT p{};
    GetCursorPos(&p);
    menu_->Popup(Handle(), p.x, p.y);
}

LRESULT TrayIcon::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCallbackMessage) {
        switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            if (OnClick)
                OnClick();
            break;
        case WM_RBUTTONUP:
            ShowMenu();
            break;
        case WM_LBUTTONDBLCLK:
            if (MenuItem* item = menu_ ? menu_->DefaultItem() : nullptr)
                item->Click();
            break;
        default:
            break;
        }
        return 0;
    }
    if (msg == taskbarCreated_ && shown_) {
        shown_ = Notify(NIM_ADD);
        return 0;
    }
    LRESULT result = 0;
    if (RouteChildMessage(msg, wParam, lParam, result)) // menu opening and commands
        return result;
    return Default(msg, wParam, lParam);
}

} // namespace kurvix::ui
