// The icon in the notification area: a left click fires OnClick, the right button opens the
// pop-up menu at the pointer, a double click runs the menu's default item. With minimize to
// tray, minimizing the application hides its windows and its taskbar button, so only the icon
// stays. The icon is added again when the shell's taskbar is recreated.
#pragma once

#include "Handles_win.h"
#include "Window_win.h"

#include <functional>
#include <string>

namespace kurvix::ui {

class PopupMenu;

class TrayIcon : public Window {
  public:
    TrayIcon();
    ~TrayIcon() override;

    void SetIcon(IconHandle icon);
    void SetHint(const std::string& hint);
    void SetPopupMenu(PopupMenu* menu) { menu_ = menu; }
    void SetMinimizeToTray(bool on);
    // Adds the icon to the notification area (it stays until the object goes).
    void Show();
    bool Shown() const { return shown_; }

    std::function<void()> OnClick;

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Notify(DWORD action);
    void ShowMenu();

    IconHandle icon_;
    std::string hint_;
    PopupMenu* menu_ = nullptr;
    bool shown_ = false;
    UINT taskbarCreated_;
};

} // namespace kurvix::ui
