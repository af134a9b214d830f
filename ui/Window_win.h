// The base of every window of the program and the one window procedure that serves them all.
// A window object is attached to its window from WM_NCCREATE (its create parameters) until
// WM_NCDESTROY; system controls (buttons, edits) are attached right after their creation.
// Exceptions thrown by a handler never cross the window procedure: they go to the exception
// handler (the application's error box).
#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace kurvix::ui {

// Pixels at 96 dots per inch scaled to the system's DPI (the process is DPI-aware).
int SystemDpi();
int Scale(int pixelsAt96Dpi);

struct ShiftState {
    bool shift = false, ctrl = false, alt = false;
    bool left = false, right = false, middle = false;
};
ShiftState CurrentShiftState();

enum class MouseButton { Left, Right, Middle };

// Virtual-key codes the forms look at.
enum : uint16_t { kKeyEscape = 0x1B, kKeyF1 = 0x70 };

enum class Cursor { Default, Hand, Cross };

// Mouse events of a window that draws itself (forms, images, labels). Coordinates are client
// pixels. OnClick follows a left press and release inside the window.
struct MouseEvents {
    std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseDown;
    std::function<void(ShiftState, int x, int y)> OnMouseMove;
    std::function<void(MouseButton, ShiftState, int x, int y)> OnMouseUp;
    std::function<void()> OnClick;
};

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    // The object of one of our windows, or nullptr for any other window.
    static Window* FromHandle(HWND hwnd);

    std::string Text() const;
    void SetText(const std::string& text);
    bool IsVisible() const;
    void SetCursor(Cursor cursor) { cursor_ = cursor; }

    // Where an exception thrown by a handler goes; the application sets its error box here.
    static void SetExceptionHandler(std::function<void(const std::exception&)> handler);
    static void ReportException(const std::exception& e);

  protected:
    // Creates a window of one of our classes; `className` is registered on first use.
    void CreateOwn(const char* className, DWORD exStyle, DWORD style, const std::string& text,
                   int x, int y, int width, int height, HWND parent);
    // Creates a system control (BUTTON, EDIT, ...) and attaches this object to it.
    void CreateSystem(const char* className, DWORD exStyle, DWORD style, const std::string& text,
                      int x, int y, int width, int height, HWND parent);
    void DestroyHandle();

    // Handles one message; the default passes it to DefWindowProc.
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    // Notifications that child controls and menus send to their parent window: control
    // commands, colours of static and button controls, menu commands and menu opening.
    // True when handled, with the result in `result`.
    bool RouteChildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Mouse messages of a window that draws itself (with capture for OnClick) and its cursor
    // (WM_SETCURSOR). True when handled, with the result in `result`.
    bool RoutePointer(MouseEvents& events, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Called by a parent for WM_COMMAND notifications and WM_CTLCOLOR* of this control.
    virtual void OnNotify(WORD /*code*/) {}
    virtual HBRUSH OnControlColor(HDC /*dc*/) { return nullptr; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool RouteMouse(MouseEvents& events, UINT msg, WPARAM wParam, LPARAM lParam);
    bool ApplyCursor(LPARAM lParam);
    void Attach(HWND hwnd);
    void Detach();

    HWND hwnd_ = nullptr;
    bool pressed_ = false;
    Cursor cursor_ = Cursor::Default;
};

// Text of any window through WM_GETTEXT, as another program reads it.
std::string WindowText(HWND hwnd);

} // namespace kurvix::ui
