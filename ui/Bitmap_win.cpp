#include "Bitmap_win.h"

#include <cstring>
#include <vector>

namespace kurvix::ui {

namespace {

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A monochrome mask with 1 where the pixel's top byte is 0 (transparent).
BitmapHandle MakeMask(const Bitmap& bitmap) {
    const int stride = (bitmap.Width() + 15) / 16 * 2; // rows of whole 16-bit words
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * bitmap.Height(), 0);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint32_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            if ((row[x] >> 24) == 0)
                bits[y * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
    }
    return BitmapHandle(CreateBitmap(bitmap.Width(), bitmap.Height(), 1, 1, bits.data()));
}

// Runs `draw` with the bitmap selected into a memory device context.
template <typename F> void WithBitmapDc(HBITMAP bitmap, F draw) {
    MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    if (!dc)
        return;
    ScopedSelectObject select(dc.get(), bitmap);
    draw(dc.get());
    GdiFlush();
}

int ScreenCaps(int index) {
    ScopedGetDC screen(nullptr);
    return GetDeviceCaps(screen.get(), index);
}

} // namespace

void Bitmap::SetSize(int width, int height) {
    handle_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    handle_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!handle_)
        return;
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    std::memset(bits_, 0, static_cast<size_t>(width) * height * 4);
}

void Bitmap::CopyFromScreen() {
    if (!handle_)
        return;
    ScopedGetDC screen(nullptr);
    WithBitmapDc(handle_.get(),
                 [&](HDC dc) { BitBlt(dc, 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY); });
}

void Bitmap::DrawFocusRect(int left, int top, int right, int bottom) {
    if (!handle_)
        return;
    RECT r{left, top, right, bottom};
    WithBitmapDc(handle_.get(), [&](HDC dc) { ::DrawFocusRect(dc, &r); });
}

void Bitmap::Draw(HDC dc, const RECT& target) const {
    if (!bits_)
        return;
    BITMAPINFO info = TopDownInfo(width_, height_);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, width_, height_, bits_, &info, DIB_RGB_COLORS,
                  SRCCOPY);
}

IconHandle MakeIcon(const Bitmap& bitmap) {
    if (bitmap.Empty())
        return IconHandle();
    BitmapHandle mask = MakeMask(bitmap);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask.get();
    info.hbmColor = bitmap.Handle();
    return IconHandle(CreateIconIndirect(&info));
}

ImageList::ImageList(int width, int height)
    : list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 1)) {}

int ImageList::Add(const Bitmap& bitmap) {
    BitmapHandle mask = MakeMask(bitmap);
    return ImageList_Add(list_.get(), bitmap.Handle(), mask.get());
}

IconHandle ImageList::GetIcon(int index) const {
    return IconHandle(ImageList_GetIcon(list_.get(), index, ILD_NORMAL));
}

int ImageList::Count() const { return ImageList_GetImageCount(list_.get()); }

int ScreenWidth() { return ScreenCaps(HORZRES); }
int ScreenHeight() { return ScreenCaps(VERTRES); }

} // namespace kurvix::ui
