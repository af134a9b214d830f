#include "Accounting.h"

#include "X87.h"

namespace kurvix {

namespace {

enum class EventClass { Ignored, Move, Left, Right, Middle, Wheel };

EventClass Classify(uint32_t message) {
    switch (message) {
    case msg::MouseMove:
    case msg::NcMouseMove:
        return EventClass::Move;
    case msg::LButtonDown:
    case msg::LButtonDblClk:
    case msg::NcLButtonDown:
    case msg::NcLButtonDblClk:
        return EventClass::Left;
    case msg::RButtonDown:
    case msg::RButtonDblClk:
    case msg::NcRButtonDown:
    case msg::NcRButtonDblClk:
        return EventClass::Right;
    case msg::MButtonDown:
    case msg::MButtonDblClk:
    case msg::NcMButtonDown:
    case msg::NcMButtonDblClk:
        return EventClass::Middle;
    case msg::MouseWheel:
        return EventClass::Wheel;
    default:
        return EventClass::Ignored;
    }
}

long double Square(long double v) { return v * v; }

void AddPath(SharedBlock& b, int32_t x, int32_t y) {
    const long long dx = static_cast<long long>(x) - b.LastX;
    const long long dy = static_cast<long long>(y) - b.LastY;
    // Each square fits 64 unsigned bits and converts exactly; their sum is formed in extended
    // precision.
    const unsigned long long ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
    const unsigned long long dx2 = ax * ax, dy2 = ay * ay;
    b.Pixels += X87Sqrt(static_cast<long double>(dx2) + static_cast<long double>(dy2));
    const long double mx = static_cast<long double>(dx) * b.MetresPerPixelX;
    const long double my = static_cast<long double>(dy) * b.MetresPerPixelY;
    b.Distance += X87Sqrt(Square(mx) + Square(my));
}

void CircleStepIfDue(SharedBlock& b, int32_t x, int32_t y, CursorMover& cursor) {
    if (!(b.EasterMode && b.CircleDue)) {
        b.CircleDue = true;
        return;
    }
    b.CircleStep += 1;
    if (b.CircleStep > 100)
        b.CircleStep = 0;
    b.CircleDue = false;
    int32_t nx = 0, ny = 0;
    CirclePosition(b.CircleStep, x, y, nx, ny);
    cursor.MoveCursor(nx, ny);
}

void AccountMove(SharedBlock& b, const MouseEvent& e, CursorMover& cursor) {
    if (b.HavePosition)
        AddPath(b, e.x, e.y);
    else
        b.HavePosition = true;
    b.LastX = e.x;
    b.LastY = e.y;
    CircleStepIfDue(b, e.x, e.y, cursor);
}

// The grid index of a position along one axis, or -1 when it falls outside [0, cells).
// Truncation toward zero puts anything less than one cell before the edge into cell 0.
int CellIndex(int32_t position, double cellsPerPixel, int cells) {
    const long double v = static_cast<long double>(position) * cellsPerPixel;
    if (!(v > -1.0L && v < static_cast<long double>(cells)))
        return -1; // also a NaN factor
    return static_cast<int>(v);
}

void AccountClick(SharedBlock& b, const MouseEvent& e, uint32_t& counter) {
    const int column = CellIndex(e.x, b.CellsPerPixelX, kGridWidth);
    const int row = CellIndex(e.y, b.CellsPerPixelY, kGridHeight);
    if (column < 0 || row < 0)
        return;
    counter += 1;
    b.PixelFrequency[row][column] += 1;
}

} // namespace

void CirclePosition(int32_t step, int32_t x, int32_t y, int32_t& newX, int32_t& newY) {
    const long double twoPi = 6.283185307179586; // 2 pi as a double
    const long double hundredth = 0.01;          // the double nearest 0.01
    const double angle = static_cast<double>(step * twoPi * hundredth);
    newX = static_cast<int32_t>(static_cast<long double>(x) + 6.0L * X87Cos(angle));
    newY = static_cast<int32_t>(static_cast<long double>(y) + 6.0L * X87Sin(angle));
}

void AccountMouseEvent(SharedBlock& block, const MouseEvent& event, CursorMover& cursor) {
    switch (Classify(event.message)) {
    case EventClass::Move:
        AccountMove(block, event, cursor);
        break;
    case EventClass::Left:
        AccountClick(block, event, block.MouseClicksLeft);
        break;
    case EventClass::Right:
        AccountClick(block, event, block.MouseClicksRight);
        break;
    case EventClass::Middle:
        AccountClick(block, event, block.MouseClicksMiddle);
        break;
    case EventClass::Wheel:
        block.MouseWheelTicks += 1;
        break;
    case EventClass::Ignored:
        break;
    }
}

} // namespace kurvix
