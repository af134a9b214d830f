// The one record of all mouse counts, shared by every process that has KurvixHook loaded.
// Plain data: the Windows build places one instance in the library's ".shared" section.
#pragma once

#include <cstdint>

namespace kurvix {

constexpr int kGridWidth = 80;
constexpr int kGridHeight = 60;
constexpr int kGridCells = kGridWidth * kGridHeight;

struct SharedBlock {
    uint32_t Guard;       // 0 free; otherwise the id of the process that holds it (atomic)
    void* PreviousHandle; // application window of the running Kurvix, or null
    uint32_t HookCount;   // hook calls since last set; also added to atomically, unguarded
    long double Pixels;   // cursor path, screen pixels (80-bit extended)
    long double Distance; // cursor path, metres (80-bit extended)
    int32_t LastX;
    int32_t LastY;
    bool HavePosition;
    bool EasterMode;    // cursor-circling mode
    int32_t CircleStep; // 0..100
    bool CircleDue;
    uint32_t MouseClicksLeft;
    uint32_t MouseClicksRight;
    uint32_t MouseClicksMiddle;
    uint32_t MouseWheelTicks;
    double ScreenWidthMm;
    double ScreenHeightMm;
    double MetresPerPixelX;
    double MetresPerPixelY;
    double CellsPerPixelX;
    double CellsPerPixelY;
    uint32_t PixelFrequency[kGridHeight][kGridWidth]; // [row][column]
};

// The state of a block that has just come into being: all zero except CircleDue.
constexpr SharedBlock FreshBlock() {
    SharedBlock b{};
    b.CircleDue = true;
    return b;
}

} // namespace kurvix
