// The controls of a form. Each is a real child window of its form (so another program can
// read its text with WM_GETTEXT). Positions are pixels at 96 DPI relative to the parent: the
// form's client area or a group box, whose children are placed inside it.
#pragma once

#include "Bitmap_win.h"
#include "Form_win.h"
#include "Window_win.h"

#include <functional>
#include <memory>
#include <string>

namespace kurvix::ui {

class GroupBox;

struct Bounds {
    int left, top, width, height;
};

// Where a control goes: a form, or a group box of a form.
struct Parent {
    Parent(Form& f) : form(f) {}
    Parent(GroupBox& box);
    Form& form;
    int dx = 0, dy = 0; // the origin of the parent in the form, at 96 DPI
};

class Control : public Window {
  public:
    Form& OwnerForm() const { return *form_; }
    void SetHint(const std::string& hint);
    void SetEnabled(bool enabled);
    bool Enabled() const;
    void SetVisible(bool visible);
    void SetFocus();
    bool CanFocus() const;
    void SetFont(const FontSpec& spec);
    void Invalidate();
    // Puts the control below its siblings (a group box under the controls placed in it).
    void SendToBack();
    // Bounds in the form's client pixels.
    RECT BoundsInForm() const;
    // Moves the control to these bounds in the form's client pixels.
    void SetBoundsInForm(int left, int top, int width, int height);
    // A point of this control in screen pixels, and a screen point in this control.
    POINT ClientToScreen(int x, int y) const;
    POINT ScreenToClient(int x, int y) const;

  protected:
    Control(Parent parent, Bounds bounds);
    void CreateOwnControl(const char* className, DWORD style, const std::string& text,
                          DWORD exStyle = 0);
    void CreateSystemControl(const char* className, DWORD style, const std::string& text,
                             DWORD exStyle = 0);
    HFONT CurrentFont() const { return font_ ? font_.get() : form_->Font(); }
    uint32_t TextColor() const { return textColor_; }

  private:
    Form* form_;
    RECT rect_; // scaled, in the form's client area
    FontHandle font_;
    uint32_t textColor_ = 0;
};

enum class Alignment { Left, Right, Center };

// Text drawn by the label itself. With AutoSize the label takes the width of its text and
// keeps its right edge (right-aligned) or its left edge (otherwise) in place.
class Label : public Control {
  public:
    Label(Parent parent, Bounds bounds, const std::string& caption);
    void SetAlignment(Alignment alignment);
    void SetTransparent(bool transparent);
    void SetAutoSize(bool autoSize);
    MouseEvents Mouse;

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint();
    void FitToText();
    Alignment alignment_ = Alignment::Left;
    bool transparent_ = false;
    bool autoSize_ = false;
};

class Button : public Control {
  public:
    Button(Parent parent, Bounds bounds, const std::string& caption);
    // Enter runs a default button; Escape runs a cancel button.
    void SetDefault(bool isDefault);
    void SetCancel(bool isCancel);
    // A click also sets the form's modal result, when not kModalNone.
    void SetModalResult(int result) { modalResult_ = result; }
    void Click();
    std::function<void()> OnClick;

  protected:
    void OnNotify(WORD code) override;

  private:
    int modalResult_ = kModalNone;
};

// A button that shows a glyph (see Bitmap_win.h for its transparency) right of its caption,
// or centred when it has no caption.
class GlyphButton : public Button {
  public:
    GlyphButton(Parent parent, Bounds bounds, const std::string& caption);
    void SetGlyph(const Bitmap& glyph);

  private:
    std::unique_ptr<ImageList> glyph_;
};

// A check box. OnClick fires when the user toggles it and also when code changes its state.
class CheckBox : public Control {
  public:
    CheckBox(Parent parent, Bounds bounds, const std::string& caption);
    bool Checked() const;
    void SetChecked(bool checked);
    std::function<void()> OnClick;

  protected:
    void OnNotify(WORD code) override;
    HBRUSH OnControlColor(HDC dc) override;
};

// A one-line edit. OnChange fires when its text changes; setting the same text again does
// not change it.
class Edit : public Control {
  public:
    Edit(Parent parent, Bounds bounds, const std::string& text = "");
    void SetText(const std::string& text);
    std::function<void()> OnChange;

  protected:
    void OnNotify(WORD code) override;
};

// A frame with a caption; controls placed in it are positioned relative to it.
class GroupBox : public Control {
  public:
    GroupBox(Parent parent, Bounds bounds, const std::string& caption);
    Bounds Placement() const { return placement_; }

  protected:
    HBRUSH OnControlColor(HDC dc) override;

  private:
    Bounds placement_;
};

// A sunken line along the top of its bounds.
class Bevel : public Control {
  public:
    Bevel(Parent parent, Bounds bounds);

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A picture: a 32-bit bitmap drawn at the top left, or stretched to the control.
class Image : public Control {
  public:
    Image(Parent parent, Bounds bounds);
    Bitmap& Picture() { return picture_; }
    void SetStretch(bool stretch) { stretch_ = stretch; }
    // Fills the parent form's client area (and follows its size).
    void AlignToClient();
    MouseEvents Mouse;

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    Bitmap picture_;
    bool stretch_ = false;
};

} // namespace kurvix::ui
