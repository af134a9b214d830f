#include "FullscreenMath.h"

#include <algorithm>

namespace kurvix {

uint32_t GridStep(int32_t cells, int32_t pixels) {
    if (cells <= 0 || pixels <= 0)
        return 0;
    return static_cast<uint32_t>((static_cast<uint64_t>(cells) << 16) / pixels);
}

void BlendGridOverSnapshot(const PixelRows& picture, GridSize grid, const uint32_t* colours) {
    if (picture.width <= 0 || picture.height <= 0 || grid.width <= 0 || grid.height <= 0)
        return;
    const uint32_t stepX = GridStep(grid.width, picture.width);
    const uint32_t stepY = GridStep(grid.height, picture.height);
    uint8_t* rowBytes = picture.top;
    uint32_t fy = 0; // 16.16 cell row
    for (int32_t y = 0; y < picture.height; ++y, fy += stepY, rowBytes += picture.stride) {
        const uint32_t* cellRow = colours + static_cast<std::ptrdiff_t>(fy >> 16) * grid.width;
        uint32_t* pixel = reinterpret_cast<uint32_t*>(rowBytes);
        uint32_t fx = 0; // 16.16 cell column
        for (int32_t x = 0; x < picture.width; ++x, fx += stepX)
            pixel[x] = BlendPixel(pixel[x], cellRow[fx >> 16]);
    }
}

namespace {

// pixel x (cells / pixels) truncated toward zero, clamped to the grid.
int32_t CellIndex(int32_t pixel, int32_t pixels, int32_t cells) {
    const double ratio = static_cast<double>(cells) / pixels;
    const double cell = pixel * ratio;
    if (cell < 1.0) // also every position left of or above the picture
        return 0;
    if (cell >= cells)
        return cells - 1;
    return static_cast<int32_t>(cell);
}

} // namespace

Cell CellAt(int32_t px, int32_t py, int32_t width, int32_t height, GridSize grid) {
    return Cell{CellIndex(px, width, grid.width), CellIndex(py, height, grid.height)};
}

PixelRect SelectionOutline(const Selection& s) {
    return PixelRect{std::min(s.Left, s.Right), std::min(s.Top, s.Bottom),
                     std::max(s.Left, s.Right) + 1, std::max(s.Top, s.Bottom) + 1};
}

CellRange SelectedCells(const Selection& s, int32_t width, int32_t height, GridSize grid) {
    return CellRange{
        CellAt(std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), width, height, grid),
        CellAt(std::max(s.Left, s.Right), std::max(s.Top, s.Bottom), width, height, grid)};
}

int32_t SumCells(const CellRange& cells, const CellCountReader& countOf) {
    uint32_t sum = 0;
    for (int32_t y = cells.first.y; y <= cells.last.y; ++y)
        for (int32_t x = cells.first.x; x <= cells.last.x; ++x)
            sum += countOf(x, y);
    return static_cast<int32_t>(sum); // modulo 2^32
}

std::string CountText(uint32_t count) {
    return std::to_string(count);
}

std::string SumText(int32_t sum) {
    return std::to_string(sum);
}

} // namespace kurvix
