#include "Controls_win.h"

namespace kurvix::ui {

namespace {

const DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

HBRUSH ButtonFace(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

// The width of a single line of text, with its accelerator marks taken out.
int TextWidth(HWND hwnd, HFONT font, const std::string& text) {
    ScopedGetDC dc(hwnd);
    ScopedSelectObject select(dc.get(), font);
    RECT r{0, 0, 0, 0};
    DrawTextA(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right;
}

RECT ScaledRect(const Parent& parent, const Bounds& b) {
    const int left = Scale(parent.dx + b.left), top = Scale(parent.dy + b.top);
    return RECT{left, top, left + Scale(b.width), top + Scale(b.height)};
}

} // namespace

Parent::Parent(GroupBox& box) : form(box.OwnerForm()) {
    dx = box.Placement().left;
    dy = box.Placement().top;
}

// ---- Control

Control::Control(Parent parent, Bounds bounds)
    : form_(&parent.form), rect_(ScaledRect(parent, bounds)) {}

void Control::CreateOwnControl(const char* className, DWORD style, const std::string& text,
                               DWORD exStyle) {
    CreateOwn(className, exStyle, kChild | style, text, rect_.left, rect_.top,
              rect_.right - rect_.left, rect_.bottom - rect_.top, form_->Handle());
}

void Control::CreateSystemControl(const char* className, DWORD style, const std::string& text,
                                  DWORD exStyle) {
    CreateSystem(className, exStyle, kChild | style, text, rect_.left, rect_.top,
                 rect_.right - rect_.left, rect_.bottom - rect_.top, form_->Handle());
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), FALSE);
}

void Control::SetHint(const std::string& hint) { form_->AddHint(Handle(), hint); }
void Control::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }
bool Control::Enabled() const { return IsWindowEnabled(Handle()); }
void Control::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }
void Control::SetFocus() { ::SetFocus(Handle()); }

bool Control::CanFocus() const {
    return IsWindowVisible(Handle()) && IsWindowEnabled(Handle()) &&
           IsWindowVisible(form_->Handle()) && IsWindowEnabled(form_->Handle());
}

void Control::SetFont(const FontSpec& spec) {
    font_ = CreateFontFor(spec);
    textColor_ = spec.color;
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    Invalidate();
}

void Control::Invalidate() { InvalidateRect(Handle(), nullptr, TRUE); }

void Control::SendToBack() {
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

RECT Control::BoundsInForm() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(nullptr, form_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::SetBoundsInForm(int left, int top, int width, int height) {
    MoveWindow(Handle(), left, top, width, height, TRUE);
}

POINT Control::ScreenToClient(int x, int y) const {
    POINT p{x, y};
    ::ScreenToClient(Handle(), &p);
    return p;
}

POINT Control::ClientToScreen(int x, int y) const {
    POINT p{x, y};
    ::ClientToScreen(Handle(), &p);
    return p;
}

// ---- Label

Label::Label(Parent parent, Bounds bounds, const std::string& caption) : Control(parent, bounds) {
    CreateOwnControl("KurvixLabel", 0, caption);
}

void Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void Label::SetTransparent(bool transparent) {
    transparent_ = transparent;
    LONG_PTR ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE,
                      transparent ? (ex | WS_EX_TRANSPARENT) : (ex & ~WS_EX_TRANSPARENT));
    Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText();
}

void Label::FitToText() {
    if (!autoSize_)
        return;
    RECT r = BoundsInForm();
    const int width = TextWidth(Handle(), CurrentFont(), Text());
    const int height = r.bottom - r.top;
    const int left = alignment_ == Alignment::Right ? r.right - width : r.left;
    MoveWindow(Handle(), left, r.top, width, height, TRUE);
}

void Label::Paint() {
    ScopedPaint paint(Handle());
    HDC dc = paint.get();
    RECT r{};
    GetClientRect(Handle(), &r);
    if (!transparent_)
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    ScopedSelectObject font(dc, CurrentFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(Handle()) ? TextColor() : GetSysColor(COLOR_GRAYTEXT));
    const UINT align = alignment_ == Alignment::Right    ? DT_RIGHT
                       : alignment_ == Alignment::Center ? DT_CENTER
                                                         : DT_LEFT;
    const std::string caption = Text();
    DrawTextA(dc, caption.c_str(), -1, &r, align | DT_SINGLELINE | DT_EXPANDTABS);
}

LRESULT Label::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (RoutePointer(Mouse, msg, wParam, lParam, result))
        return result;
    switch (msg) {
    case WM_SETTEXT: {
        RECT before = BoundsInForm();
        result = Default(msg, wParam, lParam);
        FitToText();
        if (transparent_) // what lay under the old text shows through again
            InvalidateRect(OwnerForm().Handle(), &before, TRUE);
        Invalidate();
        return result;
    }
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

// ---- Buttons

Button::Button(Parent parent, Bounds bounds, const std::string& caption) : Control(parent, bounds) {
    CreateSystemControl("BUTTON", WS_TABSTOP | BS_PUSHBUTTON, caption);
}

void Button::SetDefault(bool isDefault) {
    SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    OwnerForm().SetDefaultButton(isDefault ? this : nullptr);
}

void Button::SetCancel(bool isCancel) { OwnerForm().SetCancelButton(isCancel ? this : nullptr); }

void Button::Click() {
    if (modalResult_ != kModalNone)
        OwnerForm().SetModalResult(modalResult_);
    if (OnClick)
        OnClick();
}

void Button::OnNotify(WORD code) {
    if (code == BN_CLICKED)
        Click();
}

GlyphButton::GlyphButton(Parent parent, Bounds bounds, const std::string& caption)
    : Button(parent, bounds, caption) {}

void GlyphButton::SetGlyph(const Bitmap& glyph) {
    glyph_ = std::make_unique<ImageList>(glyph.Width(), glyph.Height());
    glyph_->Add(glyph);
    BUTTON_IMAGELIST list{};
    list.himl = glyph_->Handle();
    list.margin = RECT{Scale(4), 0, Scale(4), 0};
    list.uAlign = Text().empty() ? BUTTON_IMAGELIST_ALIGN_CENTER : BUTTON_IMAGELIST_ALIGN_RIGHT;
    SendMessageA(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
    Invalidate();
}

CheckBox::CheckBox(Parent parent, Bounds bounds, const std::string& caption)
    : Control(parent, bounds) {
    CreateSystemControl("BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, caption);
    // A font wider than the one the layout was made for must not cut the caption.
    const int needed = TextWidth(Handle(), CurrentFont(), caption) + Scale(20);
    RECT r = BoundsInForm();
    if (needed > r.right - r.left)
        MoveWindow(Handle(), r.left, r.top, needed, r.bottom - r.top, FALSE);
}

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    if (checked == Checked())
        return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick)
        OnClick();
}

void CheckBox::OnNotify(WORD code) {
    if (code == BN_CLICKED && OnClick)
        OnClick();
}

HBRUSH CheckBox::OnControlColor(HDC dc) { return ButtonFace(dc); }

// ---- Edit

Edit::Edit(Parent parent, Bounds bounds, const std::string& text) : Control(parent, bounds) {
    CreateSystemControl("EDIT", WS_TABSTOP | ES_AUTOHSCROLL, text, WS_EX_CLIENTEDGE);
}

void Edit::SetText(const std::string& text) {
    if (text != Text())
        Window::SetText(text);
}

void Edit::OnNotify(WORD code) {
    if (code == EN_CHANGE && OnChange)
        OnChange();
}

// ---- GroupBox, Bevel

GroupBox::GroupBox(Parent parent, Bounds bounds, const std::string& caption)
    : Control(parent, bounds), placement_{parent.dx + bounds.left, parent.dy + bounds.top,
                                          bounds.width, bounds.height} {
    CreateSystemControl("BUTTON", BS_GROUPBOX, caption);
}

HBRUSH GroupBox::OnControlColor(HDC dc) { return ButtonFace(dc); }

Bevel::Bevel(Parent parent, Bounds bounds) : Control(parent, bounds) {
    CreateOwnControl("KurvixBevel", 0, "");
}

LRESULT Bevel::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT)
        return Default(msg, wParam, lParam);
    ScopedPaint paint(Handle());
    RECT r{};
    GetClientRect(Handle(), &r);
    DrawEdge(paint.get(), &r, EDGE_ETCHED, BF_TOP);
    return 0;
}

// ---- Image

Image::Image(Parent parent, Bounds bounds) : Control(parent, bounds) {
    CreateOwnControl("KurvixImage", 0, "");
}

void Image::AlignToClient() { OwnerForm().AlignToClient(Handle()); }

LRESULT Image::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (RoutePointer(Mouse, msg, wParam, lParam, result))
        return result;
    switch (msg) {
    case WM_PAINT: {
        ScopedPaint paint(Handle());
        RECT r{};
        GetClientRect(Handle(), &r);
        if (!stretch_)
            r = RECT{0, 0, picture_.Width(), picture_.Height()};
        picture_.Draw(paint.get(), r);
        return 0;
    }
    case WM_ERASEBKGND:
        if (stretch_ && !picture_.Empty())
            return 1;
        break;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

} // namespace kurvix::ui
