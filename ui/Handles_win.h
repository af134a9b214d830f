// Owners of Win32 handles: each type frees its handle exactly once, cannot be copied and can
// be moved. Device contexts and selections are scopes that undo themselves.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace kurvix::ui {

template <typename H, typename Free> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    H release() { return std::exchange(handle_, nullptr); }
    void reset(H handle = nullptr) {
        if (handle_)
            Free()(handle_);
        handle_ = handle;
    }

  private:
    H handle_ = nullptr;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DestroyIconHandle {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct DestroyMenuHandle {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct DestroyImageListHandle {
    void operator()(HIMAGELIST h) const { ImageList_Destroy(h); }
};
struct DeleteDcHandle {
    void operator()(HDC h) const { DeleteDC(h); }
};

using BitmapHandle = UniqueHandle<HBITMAP, DeleteGdiObject>;
using FontHandle = UniqueHandle<HFONT, DeleteGdiObject>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteGdiObject>;
using IconHandle = UniqueHandle<HICON, DestroyIconHandle>;
using MenuHandle = UniqueHandle<HMENU, DestroyMenuHandle>;
using ImageListHandle = UniqueHandle<HIMAGELIST, DestroyImageListHandle>;
using MemoryDcHandle = UniqueHandle<HDC, DeleteDcHandle>;

// The device context of a window (or of the whole screen for nullptr), released at scope end.
class ScopedGetDC {
  public:
    explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~ScopedGetDC() {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint of one WM_PAINT.
class ScopedPaint {
  public:
    explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back at scope end.
class ScopedSelectObject {
  public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { SelectObject(dc_, previous_); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace kurvix::ui
