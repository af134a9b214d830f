#include "Application_win.h"

#include "Form_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace kurvix::ui {

namespace {

const char kApplicationClass[] = "KurvixApplication";

bool IsMinimizedShowCommand(int command) {
    return command == SW_SHOWMINNOACTIVE || command == SW_MINIMIZE || command == SW_SHOWMINIMIZED;
}

int ProcessShowCommand() {
    STARTUPINFOA info{};
    info.cb = sizeof info;
    GetStartupInfoA(&info);
    return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWNORMAL;
}

} // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize() {
    if (Handle())
        return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SetExceptionHandler([this](const std::exception& e) { ShowException(e); });
    // A window of no size in the middle of the screen: it carries the taskbar button and the
    // title, and owns the forms.
    CreateOwn(kApplicationClass, 0,
              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, title_,
              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr);
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    SetText(title);
}

void Application::AdoptForm(std::unique_ptr<Form> form) {
    if (!mainForm_)
        mainForm_ = form.get();
    owned_.push_back(std::move(form));
}

void Application::RemoveForm(Form* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void Application::Run() {
    if (mainForm_) {
        const int command = startupShowCommand_ >= 0 ? startupShowCommand_ : ProcessShowCommand();
        if (IsMinimizedShowCommand(command)) {
            mainForm_->SetWindowState(WindowState::Minimized);
            Minimize();
        } else {
            ShowWindow(Handle(), SW_SHOWNOACTIVATE);
            mainForm_->Show();
        }
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        ProcessMessage(msg);
    DestroyForms();
}

void Application::Terminate() { PostQuitMessage(0); }

void Application::ProcessMessage(MSG& msg) {
    try {
        Form* form = Form::FromChild(msg.hwnd);
        if (form && form->PreviewKey(msg))
            return;
        if (form && IsDialogMessageA(form->Handle(), &msg))
            return;
    } catch (const std::exception& e) {
        ShowException(e);
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

bool Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ProcessMessage(msg);
    }
    return true;
}

void Application::DestroyForms() {
    for (auto& form : owned_)
        form->BeginDestroy();
    while (!owned_.empty())
        owned_.pop_back();
}

void Application::Minimize() {
    if (minimized_)
        return;
    minimized_ = true;
    for (Form* form : forms_)
        form->HideForMinimize();
    ShowWindow(Handle(), hideOnMinimize_ ? SW_HIDE : SW_MINIMIZE);
    if (OnMinimize)
        OnMinimize();
}

void Application::Restore() {
    if (!minimized_)
        return;
    minimized_ = false;
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOWNOACTIVATE);
    for (Form* form : forms_)
        form->ShowAfterRestore();
    if (mainForm_ && !mainForm_->Visible()) { // never shown: a minimized start
        mainForm_->SetWindowState(WindowState::Normal);
        mainForm_->Show();
    }
    if (HWND active = ActiveFormWindow())
        SetForegroundWindow(active);
    if (OnRestore)
        OnRestore();
}

HWND Application::ActiveFormWindow() const {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        HWND hwnd = (*it)->Handle();
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
            return hwnd;
    }
    return nullptr;
}

std::string Application::ExeName() const {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size())
            return std::string(path.data(), n);
        path.resize(path.size() * 2);
    }
}

int Application::ShowMessage(const std::string& text, const std::string& caption, unsigned flags) {
    HWND owner = ActiveFormWindow();
    return ::MessageBoxA(owner ? owner : Handle(), text.c_str(), caption.c_str(), flags);
}

void Application::ShowException(const std::exception& e) {
    ShowMessage(ExceptionBoxText(e.what()), title_, MB_ICONERROR | MB_OK);
}

LRESULT Application::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_RESTORE:
            // A second instance sends this and waits: let it go before the restore, which may
            // show a modal message.
            if (InSendMessage())
                ReplyMessage(0);
            Restore();
            return 0;
        case SC_MINIMIZE:
            Minimize();
            return 0;
        default:
            break;
        }
        break;
    case WM_ACTIVATE:
        // The taskbar button activates this window; pass the activation on to the form.
        if (LOWORD(wParam) != WA_INACTIVE && !minimized_) {
            if (HWND form = ActiveFormWindow())
                SetActiveWindow(form);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (mainForm_)
            mainForm_->Close();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && OnEndSession)
            OnEndSession();
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

std::string ExceptionBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

std::string LoadStr(unsigned id) {
    char buffer[4096];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n) : std::string();
}

uint32_t TickCount() { return GetTickCount(); }

bool IsApplicationWindow(void* handle) {
    HWND hwnd = static_cast<HWND>(handle);
    char name[64] = {};
    return hwnd && IsWindow(hwnd) && GetClassNameA(hwnd, name, sizeof name) > 0 &&
           std::strcmp(name, kApplicationClass) == 0;
}

void RequestRestore(void* handle) {
    SendMessageA(static_cast<HWND>(handle), WM_SYSCOMMAND, SC_RESTORE, 0);
}

void BringToForeground(void* handle) { SetForegroundWindow(static_cast<HWND>(handle)); }

} // namespace kurvix::ui
