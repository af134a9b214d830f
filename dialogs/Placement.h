// Where a dialog goes when it is centred on another window. Platform-free.
#pragma once

#include <cstdint>

namespace kurvix {

struct WindowBounds {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

struct Origin {
    int32_t left;
    int32_t top;
};

// The dialog's top-left corner: owner's left + (owner's width - dialog's width) / 2, the same
// for the top, outer sizes, the halves truncated toward zero. A dialog larger than its owner
// reaches past the owner's left and top edges.
Origin CentredOn(const WindowBounds& owner, int32_t dialogWidth, int32_t dialogHeight);

} // namespace kurvix
