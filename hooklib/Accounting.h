// Turns one mouse message into updates of the shared block: path length in pixels and metres,
// clicks per button with their grid cell, wheel messages, and the cursor-circling mode.
#pragma once

#include "SharedBlock.h"

#include <cstdint>

namespace kurvix {

// Window-message numbers that the accounting knows (Win32 numbering).
namespace msg {
constexpr uint32_t NcMouseMove = 0x00A0, NcLButtonDown = 0x00A1, NcLButtonDblClk = 0x00A3,
                   NcRButtonDown = 0x00A4, NcRButtonDblClk = 0x00A6, NcMButtonDown = 0x00A7,
                   NcMButtonDblClk = 0x00A9, MouseMove = 0x0200, LButtonDown = 0x0201,
                   LButtonUp = 0x0202, LButtonDblClk = 0x0203, RButtonDown = 0x0204,
                   RButtonDblClk = 0x0206, MButtonDown = 0x0207, MButtonDblClk = 0x0209,
                   MouseWheel = 0x020A;
}

struct MouseEvent {
    uint32_t message;
    int32_t x; // screen pixels from the primary screen's left edge
    int32_t y; // screen pixels from its top edge, growing downward
};

// Moves the mouse cursor (SetCursorPos on Windows). It must not account the move itself: the
// move message that it causes arrives later as an event of its own.
class CursorMover {
  public:
    virtual void MoveCursor(int32_t x, int32_t y) = 0;

  protected:
    ~CursorMover() = default;
};

// Applies one event to the block. The caller holds the guard.
void AccountMouseEvent(SharedBlock& block, const MouseEvent& event, CursorMover& cursor);

// The cursor position of circling step `step` around (x, y): radius 6 pixels.
void CirclePosition(int32_t step, int32_t x, int32_t y, int32_t& newX, int32_t& newY);

} // namespace kurvix
