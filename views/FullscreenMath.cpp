#include "FullscreenMath.h"

#include <algorithm>
#include <vector>

namespace kurvix {

uint32_t GridStep(int32_t cells, int32_t pixels) {
    if (cells <= 0 || pixels <= 0)
        return 0;
    return static_cast<uint32_t>((static_cast<uint64_t>(cells) << 16) / pixels);
}

namespace {

// Pixels [previous end, end) of every picture row fall into cell column `cell`.
struct ColumnRun {
    uint32_t cell;
    int32_t end;
};

// The runs of one row, found by stepping the 16.16 column accumulator once per pixel; the
// same for every row, so they are found once per picture.
std::vector<ColumnRun> ColumnRuns(uint32_t stepX, int32_t width) {
    std::vector<ColumnRun> runs;
    uint32_t fx = 0;
    for (int32_t x = 0; x < width; ++x, fx += stepX) {
        if (runs.empty() || runs.back().cell != fx >> 16)
            runs.push_back(ColumnRun{fx >> 16, x});
        runs.back().end = x + 1;
    }
    return runs;
}

} // namespace

void BlendGridOverSnapshot(const PixelRows& picture, GridSize grid, const uint32_t* colours) {
    if (picture.width <= 0 || picture.height <= 0 || grid.width <= 0 || grid.height <= 0)
        return;
    const std::vector<ColumnRun> runs =
        ColumnRuns(GridStep(grid.width, picture.width), picture.width);
    const uint32_t stepY = GridStep(grid.height, picture.height);
    uint8_t* rowBytes = picture.top;
    uint32_t fy = 0; // 16.16 cell row
    for (int32_t y = 0; y < picture.height; ++y, fy += stepY, rowBytes += picture.stride) {
        const uint32_t* cellRow = colours + static_cast<std::ptrdiff_t>(fy >> 16) * grid.width;
        uint32_t* pixel = reinterpret_cast<uint32_t*>(rowBytes);
        int32_t begin = 0;
        for (const ColumnRun& run : runs) {
            // Locals, as the pixel stores could alias the run: a loop the compiler vectorises.
            const uint32_t colour = cellRow[run.cell];
            const int32_t end = run.end;
            for (int32_t x = begin; x < end; ++x)
                pixel[x] = BlendPixel(pixel[x], colour);
            begin = end;
        }
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

std::string CountText(uint32_t count) { return std::to_string(count); }

std::string SumText(int32_t sum) { return std::to_string(sum); }

} // namespace kurvix
