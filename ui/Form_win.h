// Forms: top-level windows owned by the application window (so they have no taskbar button
// of their own), laid out in pixels at 96 DPI and scaled to the system's DPI.
#pragma once

#include "Handles_win.h"
#include "Window_win.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kurvix::ui {

class Button;
class MainMenu;

// A font by face and character height in pixels at 96 DPI; colour as 0x00BBGGRR.
struct FontSpec {
    std::string face = "MS Sans Serif";
    int height = 11;
    bool bold = false;
    bool underline = false;
    uint32_t color = 0x000000;
};
FontHandle CreateFontFor(const FontSpec& spec);

constexpr uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

enum class WindowState { Normal, Minimized };
// What closing a form does: nothing, hide it, or (the default of the main form) end the
// program. Closing the main form ends the program for every action but None.
enum class CloseAction { None, Hide, Free };
enum class BorderStyle { Single, Dialog, None };

enum : int { kModalNone = 0, kModalOk = 1, kModalCancel = 2 };

struct FormSettings {
    // The client size is in pixels at 96 DPI.
    FormSettings(std::string caption_, int clientWidth_, int clientHeight_, BorderStyle border_)
        : caption(std::move(caption_)), clientWidth(clientWidth_), clientHeight(clientHeight_),
          border(border_) {}
    FormSettings& WithMinimizeBox() { return minimizeBox = true, *this; }
    FormSettings& StayOnTop() { return stayOnTop = true, *this; }
    FormSettings& Black() { return black = true, *this; } // instead of the button face

    std::string caption;
    int clientWidth;
    int clientHeight;
    BorderStyle border;
    bool minimizeBox = false;
    bool stayOnTop = false;
    bool black = false;
    FontSpec font;
};

class Form : public Window {
  public:
    explicit Form(const FormSettings& settings);
    ~Form() override;

    void Show();
    void Hide();
    // Shows the form with the other forms disabled and runs messages until a modal result is
    // set (by SetModalResult, a button with a modal result, or Close); hides it then.
    int ShowModal();
    void Close();
    bool Visible() const { return visible_; }
    bool Modal() const { return modal_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Outer bounds in screen pixels.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetBounds(int left, int top, int width, int height);
    void SetPosition(int left, int top);
    int ClientWidth() const;
    int ClientHeight() const;

    WindowState State() const { return state_; }
    void SetWindowState(WindowState state) { state_ = state; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    // Escape closes the form (for a dialog that has no cancel button yet).
    void SetCloseOnEscape(bool on) { closeOnEscape_ = on; }
    void SetMenu(MainMenu& menu);
    // True from the start of the form's destruction on.
    bool Destroying() const { return destroying_; }
    void BeginDestroy() { destroying_ = true; }

    HFONT Font() const { return font_.get(); }
    void AddHint(HWND control, const std::string& hint);
    // Keeps a child window sized to the whole client area.
    void AlignToClient(HWND child);
    void SetDefaultButton(Button* button) { defaultButton_ = button; }
    void SetCancelButton(Button* button) { cancelButton_ = button; }

    // Events.
    std::function<void()> OnShow; // before the window becomes visible
    std::function<void(CloseAction&)> OnClose;
    std::function<void()> OnResize;
    std::function<void(uint16_t& key, ShiftState)> OnKeyDown; // key 0: nobody else sees it
    MouseEvents Mouse;

    // The form that a window belongs to (the form itself or one of its controls).
    static Form* FromChild(HWND hwnd);
    // Key preview for one key message; true when the key was consumed.
    bool PreviewKey(MSG& msg);

    // Used by the application: hiding for a minimize keeps Visible() as it was.
    void HideForMinimize();
    void ShowAfterRestore();

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void ApplyClientSize();
    void FireResize();

    FormSettings settings_;
    FontHandle font_;
    BrushHandle background_;
    HWND tooltip_ = nullptr;
    std::vector<HWND> aligned_;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    WindowState state_ = WindowState::Normal;
    bool visible_ = false;
    bool modal_ = false;
    int modalResult_ = kModalNone;
    bool keyPreview_ = false;
    bool closeOnEscape_ = false;
    bool destroying_ = false;
};

} // namespace kurvix::ui
