#include "Form_win.h"

#include "Application_win.h"
#include "Controls_win.h"
#include "Menu_win.h"

#include <commctrl.h>

#include <vector>

namespace kurvix::ui {

namespace {

DWORD StyleOf(const FormSettings& s) {
    switch (s.border) {
    case BorderStyle::None:
        return WS_POPUP | WS_CLIPCHILDREN;
    case BorderStyle::Dialog: // no WS_CLIPCHILDREN: the form paints the inside of group boxes
        return WS_POPUP | WS_CAPTION | WS_SYSMENU;
    case BorderStyle::Single:
    default:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (s.minimizeBox ? WS_MINIMIZEBOX : 0);
    }
}

DWORD ExStyleOf(const FormSettings& s) {
    DWORD ex = s.border == BorderStyle::Dialog ? WS_EX_DLGMODALFRAME : 0;
    return ex | (s.stayOnTop ? WS_EX_TOPMOST : 0);
}

// Outer size of a window with the given client size at 96 DPI.
SIZE OuterSize(const FormSettings& s, bool hasMenu) {
    RECT r{0, 0, Scale(s.clientWidth), Scale(s.clientHeight)};
    AdjustWindowRectEx(&r, StyleOf(s), hasMenu, ExStyleOf(s));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT WindowRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientRectOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

} // namespace

FontHandle CreateFontFor(const FontSpec& spec) {
    LOGFONTA lf{};
    lf.lfHeight = -Scale(spec.height);
    lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = spec.underline;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, spec.face.c_str(), LF_FACESIZE);
    return FontHandle(CreateFontIndirectA(&lf));
}

Form::Form(const FormSettings& settings)
    : settings_(settings), font_(CreateFontFor(settings.font)) {
    if (settings_.black)
        background_.reset(CreateSolidBrush(0));
    const SIZE size = OuterSize(settings_, false);
    const bool defaultPlace = settings_.border == BorderStyle::Single;
    CreateOwn("KurvixForm", ExStyleOf(settings_), StyleOf(settings_), settings_.caption,
              defaultPlace ? CW_USEDEFAULT : 0, defaultPlace ? CW_USEDEFAULT : 0, size.cx, size.cy,
              App().Handle());
    App().AddForm(this);
}

Form::~Form() {
    destroying_ = true;
    App().RemoveForm(this);
    if (tooltip_)
        DestroyWindow(tooltip_);
    DestroyHandle();
}

void Form::Show() {
    if (visible_) {
        if (!App().Minimized())
            SetForegroundWindow(Handle());
        return;
    }
    if (OnShow)
        OnShow();
    visible_ = true;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    FireResize();
}

void Form::Hide() {
    visible_ = false;
    ShowWindow(Handle(), SW_HIDE);
    if (modal_ && modalResult_ == kModalNone)
        modalResult_ = kModalCancel;
}

void Form::HideForMinimize() {
    if (visible_)
        ShowWindow(Handle(), SW_HIDE);
}

void Form::ShowAfterRestore() {
    if (visible_)
        ShowWindow(Handle(), SW_SHOW);
}

int Form::ShowModal() {
    std::vector<HWND> disabled;
    for (Form* form : App().Forms()) {
        HWND other = form->Handle();
        if (form != this && IsWindowVisible(other) && IsWindowEnabled(other)) {
            EnableWindow(other, FALSE);
            disabled.push_back(other);
        }
    }
    HWND previous = GetActiveWindow();
    modal_ = true;
    modalResult_ = kModalNone;
    Show();
    MSG msg;
    while (modalResult_ == kModalNone) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            modalResult_ = kModalCancel;
            break;
        }
        App().ProcessMessage(msg);
    }
    for (HWND other : disabled)
        EnableWindow(other, TRUE);
    Hide();
    modal_ = false;
    if (previous && IsWindowVisible(previous))
        SetActiveWindow(previous);
    return modalResult_;
}

void Form::Close() {
    const bool isMain = App().MainForm() == this;
    CloseAction action = isMain && !modal_ ? CloseAction::Free : CloseAction::Hide;
    if (OnClose)
        OnClose(action);
    if (action == CloseAction::None)
        return;
    if (modal_) {
        modalResult_ = kModalCancel;
    } else if (isMain) {
        App().Terminate();
    } else {
        Hide();
    }
}

int Form::Left() const { return WindowRectOf(Handle()).left; }
int Form::Top() const { return WindowRectOf(Handle()).top; }
int Form::Width() const {
    RECT r = WindowRectOf(Handle());
    return r.right - r.left;
}
int Form::Height() const {
    RECT r = WindowRectOf(Handle());
    return r.bottom - r.top;
}
int Form::ClientWidth() const { return ClientRectOf(Handle()).right; }
int Form::ClientHeight() const { return ClientRectOf(Handle()).bottom; }

void Form::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetPosition(int left, int top) {
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void Form::SetMenu(MainMenu& menu) {
    menu.AttachTo(Handle());
    ApplyClientSize();
}

void Form::ApplyClientSize() {
    const SIZE size = OuterSize(settings_, GetMenu(Handle()) != nullptr);
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void Form::AddHint(HWND control, const std::string& hint) {
    if (!tooltip_) {
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    }
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = Handle();
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(hint.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void Form::AlignToClient(HWND child) {
    aligned_.push_back(child);
    MoveWindow(child, 0, 0, ClientWidth(), ClientHeight(), TRUE);
}

Form* Form::FromChild(HWND hwnd) {
    HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    return dynamic_cast<Form*>(FromHandle(root));
}

bool Form::PreviewKey(MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !OnKeyDown)
        return false;
    if (!keyPreview_ && msg.hwnd != Handle())
        return false;
    uint16_t key = static_cast<uint16_t>(msg.wParam);
    OnKeyDown(key, CurrentShiftState());
    if (key == 0)
        return true;
    msg.wParam = key;
    return false;
}

void Form::FireResize() {
    if (OnResize)
        OnResize();
}

LRESULT Form::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (RouteChildMessage(msg, wParam, lParam, result))
        return result;
    if (RoutePointer(Mouse, msg, wParam, lParam, result))
        return result;
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && defaultButton_)
            defaultButton_->Click();
        else if (LOWORD(wParam) == IDCANCEL && cancelButton_)
            cancelButton_->Click();
        else if (LOWORD(wParam) == IDCANCEL && closeOnEscape_)
            Close();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE && App().MainForm() == this) {
            App().Minimize();
            return 0;
        }
        break;
    case WM_SIZE:
        for (HWND child : aligned_)
            MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        if (IsWindowVisible(Handle()) && wParam != SIZE_MINIMIZED)
            FireResize();
        return 0;
    case WM_ERASEBKGND:
        if (background_) {
            RECT r = ClientRectOf(Handle());
            FillRect(reinterpret_cast<HDC>(wParam), &r, background_.get());
            return 1;
        }
        break;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

} // namespace kurvix::ui
