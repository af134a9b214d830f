#include "Fullscreen_win.h"

#include "Bitmap_win.h"
#include "KurvixHook.h"

#include <windows.h>

namespace kurvix {

TFullScreenFM* FullScreenFM = nullptr;

namespace {

const FrequencySource kLibraryGrid{&GetPixelFrequencyWidth, &GetPixelFrequencyHeight,
                                   &GetMinMaxPixelFrequency, &GetPixelFrequency};

GridSize LibraryGridSize() { return {GetPixelFrequencyWidth(), GetPixelFrequencyHeight()}; }

ui::FontSpec NumberFont() {
    ui::FontSpec font;
    font.face = "Arial";
    font.height = 21;
    font.color = ui::Rgb(255, 255, 255);
    return font;
}

// The label's distance from the right and bottom edges of the client area.
constexpr int kLabelRightGap = 8;
constexpr int kLabelBottomGap = 9;

} // namespace

TFullScreenFM::TFullScreenFM()
    : Form(ui::FormSettings("Enlarged View", 520, 249, ui::BorderStyle::None).StayOnTop().Black()),
      FullScreenIM(*this, {0, 0, 520, 249}), FreqLB(*this, {470, 216, 42, 24}, "n/a"),
      mapper_(kLibraryGrid) {
    FullScreenIM.AlignToClient();
    FullScreenIM.SetCursor(ui::Cursor::Cross);
    FreqLB.SetFont(NumberFont());
    FreqLB.SetAlignment(ui::Alignment::Right);
    FreqLB.SetTransparent(true);
    FreqLB.SetAutoSize(true);
    FreqLB.SetCursor(ui::Cursor::Cross);
    BringWindowToTop(FreqLB.Handle()); // above the picture
    SetKeyPreview(true);

    OnShow = [this] { FormShow(); };
    OnKeyDown = [this](uint16_t& key, ui::ShiftState shift) { FormKeyDown(key, shift); };
    Mouse.OnMouseDown = [this](ui::MouseButton, ui::ShiftState, int, int) { Close(); };
    FullScreenIM.Mouse.OnMouseDown = [this](ui::MouseButton button, ui::ShiftState, int x, int y) {
        FullScreenIMMouseDown(button, x, y);
    };
    FullScreenIM.Mouse.OnMouseMove = [this](ui::ShiftState, int x, int y) {
        FullScreenIMMouseMove(x, y);
    };
    FullScreenIM.Mouse.OnMouseUp = [this](ui::MouseButton, ui::ShiftState, int x, int y) {
        FullScreenIMMouseUp(x, y);
    };
    FreqLB.Mouse.OnMouseDown = [this](ui::MouseButton button, ui::ShiftState, int x, int y) {
        const POINT p = LabelPointInImage(x, y);
        FullScreenIMMouseDown(button, p.x, p.y);
    };
    FreqLB.Mouse.OnMouseMove = [this](ui::ShiftState, int x, int y) {
        const POINT p = LabelPointInImage(x, y);
        FullScreenIMMouseMove(p.x, p.y);
    };
    FreqLB.Mouse.OnMouseUp = [this](ui::MouseButton, ui::ShiftState, int x, int y) {
        const POINT p = LabelPointInImage(x, y);
        FullScreenIMMouseUp(p.x, p.y);
    };
}

// Runs before the window becomes visible, so the snapshot holds the desktop beneath the view;
// the picture is rebuilt from a new snapshot at every show, never blended twice.
void TFullScreenFM::FormShow() {
    const int width = ui::ScreenWidth();
    const int height = ui::ScreenHeight();
    SetBounds(0, 0, width, height);
    ui::Bitmap& picture = FullScreenIM.Picture();
    picture.SetSize(width, height);
    picture.CopyFromScreen();
    mapper_.UpdateColors();
    const PixelRows rows{reinterpret_cast<uint8_t*>(picture.ScanLine(0)),
                         static_cast<std::ptrdiff_t>(width) * 4, width, height};
    BlendGridOverSnapshot(rows, LibraryGridSize(), mapper_.Colors.data());
    PlaceLabel();
    FullScreenIM.Invalidate();
    FreqLB.Invalidate();
}

void TFullScreenFM::PlaceLabel() {
    const RECT r = FreqLB.BoundsInForm();
    const int w = r.right - r.left, h = r.bottom - r.top;
    MoveWindow(FreqLB.Handle(), ClientWidth() - ui::Scale(kLabelRightGap) - w,
               ClientHeight() - ui::Scale(kLabelBottomGap) - h, w, h, TRUE);
}

// Any key, modifier keys included.
void TFullScreenFM::FormKeyDown(uint16_t& /*key*/, ui::ShiftState /*shift*/) { Close(); }

void TFullScreenFM::FullScreenIMMouseDown(ui::MouseButton button, int x, int y) {
    if (button != ui::MouseButton::Left) {
        Close();
        return;
    }
    Selecting = true;
    Selection = {x, y, x, y};
    pointer_ = {x, y};
    DrawSelectionOutline();
}

void TFullScreenFM::FullScreenIMMouseMove(int x, int y) {
    const ui::Bitmap& picture = FullScreenIM.Picture();
    // The system also reports a move where the pointer did not move (when a release ends the
    // capture): that one would replace the sum just shown by the count under the pointer.
    const bool moved = x != pointer_.x || y != pointer_.y;
    pointer_ = {x, y};
    if (picture.Empty() || !moved)
        return;
    const GridSize grid = LibraryGridSize();
    if (!Selecting) {
        const Cell cell = CellAt(x, y, picture.Width(), picture.Height(), grid);
        ShowNumber(CountText(GetPixelFrequency(cell.x, cell.y)));
        return;
    }
    DrawSelectionOutline();
    Selection.Right = x;
    Selection.Bottom = y;
    DrawSelectionOutline();
    const CellRange cells = SelectedCells(Selection, picture.Width(), picture.Height(), grid);
    ShowNumber(SumText(SumCells(cells, &GetPixelFrequency)));
}

// A release of any button ends the selection; the label keeps the last sum.
void TFullScreenFM::FullScreenIMMouseUp(int x, int y) {
    pointer_ = {x, y};
    if (!Selecting)
        return;
    Selecting = false;
    DrawSelectionOutline();
}

POINT TFullScreenFM::LabelPointInImage(int x, int y) const {
    POINT p = FreqLB.ClientToScreen(x, y);
    ScreenToClient(FullScreenIM.Handle(), &p);
    return p;
}

void TFullScreenFM::DrawSelectionOutline() {
    const PixelRect r = SelectionOutline(Selection);
    FullScreenIM.Picture().DrawFocusRect(r.left, r.top, r.right, r.bottom);
    const RECT outline{r.left, r.top, r.right, r.bottom};
    RepaintPicture(outline);
}

// The label's text is drawn over the picture: what lay under the old text shows again.
void TFullScreenFM::ShowNumber(const std::string& text) {
    const RECT before = FreqLB.BoundsInForm();
    FreqLB.SetText(text);
    RepaintPicture(before);
}

void TFullScreenFM::RepaintPicture(const RECT& area) {
    InvalidateRect(FullScreenIM.Handle(), &area, FALSE);
    UpdateWindow(FullScreenIM.Handle());
    FreqLB.Invalidate();
}

} // namespace kurvix
