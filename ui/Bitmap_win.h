// 32-bit device-independent bitmaps with row 0 at the top, whose rows are written directly;
// image lists and icons made from them. A pixel is 0x00RRGGBB (bytes blue, green, red, 0).
// Where a bitmap becomes an icon or an image-list image, a pixel whose top byte is 0 is
// transparent and any other pixel is opaque.
#pragma once

#include "Handles_win.h"

#include <cstdint>

namespace kurvix::ui {

class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height) { SetSize(width, height); }

    // Makes a new bitmap of this size, all pixels 0.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bits_; }
    uint32_t* ScanLine(int row) { return bits_ + static_cast<size_t>(row) * width_; }
    const uint32_t* ScanLine(int row) const { return bits_ + static_cast<size_t>(row) * width_; }
    HBITMAP Handle() const { return handle_.get(); }

    // Copies the screen's rectangle (0, 0, Width, Height) into the bitmap.
    void CopyFromScreen();
    // Draws (or, drawn again, removes) a dotted focus rectangle with XOR.
    void DrawFocusRect(int left, int top, int right, int bottom);
    // Draws the bitmap into `dc` at the rectangle, stretched to it.
    void Draw(HDC dc, const RECT& target) const;

  private:
    BitmapHandle handle_;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// An icon from a bitmap (see the transparency rule above).
IconHandle MakeIcon(const Bitmap& bitmap);

// A list of equally sized images (comctl32), for the tray icon.
class ImageList {
  public:
    ImageList(int width, int height);
    int Add(const Bitmap& bitmap);
    IconHandle GetIcon(int index) const;
    int Count() const;
    HIMAGELIST Handle() const { return list_.get(); }

  private:
    ImageListHandle list_;
};

// The primary screen's size in pixels.
int ScreenWidth();
int ScreenHeight();

} // namespace kurvix::ui
