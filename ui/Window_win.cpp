#include "Window_win.h"

#include "Handles_win.h"
#include "Menu_win.h"

#include <windowsx.h>

#include <set>
#include <string>
#include <vector>

namespace kurvix::ui {

namespace {

const char kObjectProperty[] = "KurvixWindowObject";

std::function<void(const std::exception&)>& ExceptionHandler() {
    static std::function<void(const std::exception&)> handler;
    return handler;
}

void RegisterOwnClass(const char* className, WNDPROC procedure) {
    static std::set<std::string> registered;
    if (registered.count(className))
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = className;
    registered.insert(className);
    RegisterClassExA(&wc);
}

} // namespace

int SystemDpi() {
    static const int dpi = [] {
        ScopedGetDC screen(nullptr);
        int value = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int Scale(int pixelsAt96Dpi) { return MulDiv(pixelsAt96Dpi, SystemDpi(), 96); }

ShiftState CurrentShiftState() {
    auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    ShiftState s;
    s.shift = down(VK_SHIFT);
    s.ctrl = down(VK_CONTROL);
    s.alt = down(VK_MENU);
    s.left = down(VK_LBUTTON);
    s.right = down(VK_RBUTTON);
    s.middle = down(VK_MBUTTON);
    return s;
}

std::string WindowText(HWND hwnd) {
    int length = static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::vector<char> buffer(length + 1);
    SendMessageA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

Window::~Window() { DestroyHandle(); }

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

std::string Window::Text() const { return hwnd_ ? WindowText(hwnd_) : std::string(); }

void Window::SetText(const std::string& text) {
    if (hwnd_)
        SetWindowTextA(hwnd_, text.c_str());
}

bool Window::IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Window::SetExceptionHandler(std::function<void(const std::exception&)> handler) {
    ExceptionHandler() = std::move(handler);
}

void Window::ReportException(const std::exception& e) {
    if (ExceptionHandler())
        ExceptionHandler()(e);
}

void Window::CreateOwn(const char* className, DWORD exStyle, DWORD style, const std::string& text,
                       int x, int y, int width, int height, HWND parent) {
    RegisterOwnClass(className, &Window::WindowProc); // one procedure for all our classes
    CreateWindowExA(exStyle, className, text.c_str(), style, x, y, width, height, parent, nullptr,
                    GetModuleHandleA(nullptr), this);
}

void Window::CreateSystem(const char* className, DWORD exStyle, DWORD style,
                          const std::string& text, int x, int y, int width, int height,
                          HWND parent) {
    HWND hwnd = CreateWindowExA(exStyle, className, text.c_str(), style, x, y, width, height,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hwnd)
        Attach(hwnd);
}

void Window::DestroyHandle() {
    HWND hwnd = hwnd_;
    if (!hwnd)
        return;
    Detach(); // no message reaches this object while it is being torn down
    DestroyWindow(hwnd);
}

void Window::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kObjectProperty, this);
}

void Window::Detach() {
    if (hwnd_)
        RemovePropA(hwnd_, kObjectProperty);
    hwnd_ = nullptr;
}

LRESULT Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

bool Window::RouteChildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (lParam) {
            if (Window* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->OnNotify(HIWORD(wParam));
                result = 0;
                return true;
            }
            return false;
        }
        if (HIWORD(wParam) == 0 && MenuItem::Dispatch(LOWORD(wParam))) {
            result = 0;
            return true;
        }
        return false;
    case WM_INITMENUPOPUP:
        MenuItem::DispatchOpen(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (Window* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = child->OnControlColor(reinterpret_cast<HDC>(wParam))) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

namespace {

MouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

ShiftState ShiftOf(WPARAM wParam) {
    ShiftState s;
    s.shift = (wParam & MK_SHIFT) != 0;
    s.ctrl = (wParam & MK_CONTROL) != 0;
    s.alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    s.left = (wParam & MK_LBUTTON) != 0;
    s.right = (wParam & MK_RBUTTON) != 0;
    s.middle = (wParam & MK_MBUTTON) != 0;
    return s;
}

} // namespace

bool Window::RouteMouse(MouseEvents& events, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (ButtonOf(msg) == MouseButton::Left) {
            pressed_ = true;
            SetCapture(hwnd_);
        }
        if (events.OnMouseDown)
            events.OnMouseDown(ButtonOf(msg), ShiftOf(wParam), x, y);
        return true;
    case WM_MOUSEMOVE:
        if (events.OnMouseMove)
            events.OnMouseMove(ShiftOf(wParam), x, y);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        bool click = false;
        if (msg == WM_LBUTTONUP && pressed_) {
            pressed_ = false;
            if (GetCapture() == hwnd_)
                ReleaseCapture();
            RECT client;
            GetClientRect(hwnd_, &client);
            POINT p{x, y};
            click = PtInRect(&client, p);
        }
        if (events.OnMouseUp)
            events.OnMouseUp(ButtonOf(msg), ShiftOf(wParam), x, y);
        if (click && events.OnClick)
            events.OnClick();
        return true;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return false;
    default:
        return false;
    }
}

bool Window::RoutePointer(MouseEvents& events, UINT msg, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) {
    if (msg == WM_SETCURSOR) {
        result = TRUE;
        return ApplyCursor(lParam);
    }
    result = 0;
    return RouteMouse(events, msg, wParam, lParam);
}

bool Window::ApplyCursor(LPARAM lParam) {
    if (cursor_ == Cursor::Default || LOWORD(lParam) != HTCLIENT)
        return false;
    LPCSTR id = cursor_ == Cursor::Hand ? reinterpret_cast<LPCSTR>(IDC_HAND)
                                        : reinterpret_cast<LPCSTR>(IDC_CROSS);
    ::SetCursor(LoadCursorA(nullptr, id));
    return true;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (auto* self = static_cast<Window*>(create->lpCreateParams))
            self->Attach(hwnd);
    }
    Window* self = FromHandle(hwnd);
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->OnMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        ReportException(e);
    }
    if (msg == WM_NCDESTROY && FromHandle(hwnd) == self)
        self->Detach();
    return result;
}

} // namespace kurvix::ui
