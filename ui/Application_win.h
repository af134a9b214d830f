// The application object: the hidden application window (the top-level window that carries
// the taskbar button, the title and the system commands minimize and restore), the forms, the
// application events, the error box and the message loop.
#pragma once

#include "Window_win.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kurvix::ui {

class Form;

class Application : public Window {
  public:
    static Application& Instance();

    // Creates the application window; call once before any form is created.
    void Initialize();
    std::string Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Constructs a form into `instance`; the first form created becomes the main form. The
    // application owns the forms and frees them, last first, when the loop has ended.
    template <typename F> void CreateForm(F*& instance) {
        auto form = std::make_unique<F>();
        instance = form.get();
        AdoptForm(std::move(form));
    }
    Form* MainForm() const { return mainForm_; }

    // The show command with which the main form first appears; a minimized one (7,
    // SW_SHOWMINNOACTIVE) starts the program minimized. Default: the process's own.
    void SetStartupShowCommand(int command) { startupShowCommand_ = command; }
    // Shows the main form (or minimizes, see above) and runs the loop until Terminate.
    void Run();
    void Terminate();
    // One message through key preview, dialog navigation and dispatch.
    void ProcessMessage(MSG& msg);
    // Handles every waiting message; false when WM_QUIT arrived (it is posted again).
    bool ProcessMessages();
    // Frees the forms, last created first.
    void DestroyForms();

    // Minimize hides the forms; with HideOnMinimize the taskbar button goes too (tray).
    void Minimize();
    // Shows what Minimize hid; a main form never shown yet is set normal and shown.
    void Restore();
    bool Minimized() const { return minimized_; }
    void SetHideOnMinimize(bool hide) { hideOnMinimize_ = hide; }

    // Application events.
    std::function<void()> OnMinimize;
    std::function<void()> OnRestore;
    std::function<void()> OnEndSession; // the user logs off or the system shuts down

    std::string ExeName() const;
    int ShowMessage(const std::string& text, const std::string& caption, unsigned flags);
    // The error box: the message with a full stop added, captioned with the title.
    void ShowException(const std::exception& e);

    // Forms register themselves while they exist.
    void AddForm(Form* form) { forms_.push_back(form); }
    void RemoveForm(Form* form);
    const std::vector<Form*>& Forms() const { return forms_; }

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    Application() = default;
    void AdoptForm(std::unique_ptr<Form> form);
    HWND ActiveFormWindow() const;

    std::string title_;
    std::vector<std::unique_ptr<Form>> owned_;
    std::vector<Form*> forms_;
    Form* mainForm_ = nullptr;
    int startupShowCommand_ = -1;
    bool minimized_ = false;
    bool hideOnMinimize_ = false;
};

inline Application& App() { return Application::Instance(); }

// A message's text as the error box shows it: a full stop is added when the last character
// sorts after ".".
std::string ExceptionBoxText(const std::string& message);

// Message box icons and buttons (the MB_* values).
enum : unsigned {
    kMessageOk = 0x00,
    kMessageIconError = 0x10,
    kMessageIconInformation = 0x40,
};

// A string of the program's string table; an empty text when the entry is missing.
std::string LoadStr(unsigned id);

// Milliseconds since the system started (wraps after about 49.7 days).
uint32_t TickCount();

// The instance handover. True when `handle` names the application window of a running
// Kurvix; a handle left behind by an instance that ended names no such window.
bool IsApplicationWindow(void* handle);
// Asks that application window to restore (WM_SYSCOMMAND/SC_RESTORE, synchronously).
void RequestRestore(void* handle);
void BringToForeground(void* handle);

} // namespace kurvix::ui
