// The arithmetic of the full-screen view: the picture (the darkened snapshot with the cell
// colours laid over it, filled row by row with 16.16 fixed-point steps over the grid), the cell
// under a pointer position, the selection's outline and the sum of the cells it touches.
// Platform-free: the view hands in its bitmap rows and a reader for the live counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace kurvix {

// The click grid's size in cells (80 x 60).
struct GridSize {
    int32_t width;
    int32_t height;
};

// 32-bit pixel rows of a device-independent bitmap: `top` is the first byte of the top row,
// `stride` the byte distance from a row to the one below it (negative for a bottom-up bitmap).
struct PixelRows {
    uint8_t* top;
    std::ptrdiff_t stride;
    int32_t width;
    int32_t height;
};

// cells x 65536 / pixels, truncated: the 16.16 grid step per pixel. Because it is truncated,
// (pixels - 1) x step stays below cells x 65536, so every pixel falls inside the grid.
uint32_t GridStep(int32_t cells, int32_t pixels);

// One pixel of the picture: a quarter of the snapshot pixel's green in all three channels, with
// the top three bits of each of the cell colour's channels OR-ed on; bits 24-31 are zero.
inline uint32_t BlendPixel(uint32_t snapshot, uint32_t cellColour) {
    const uint32_t d = (snapshot >> 10) & 0x3Fu; // green (bits 8-15) shifted right by 2
    return (d * 0x010101u) | (cellColour & 0xE0E0E0u);
}

// Replaces every pixel of the snapshot by its blend with the colour of the cell it falls into;
// `colours` holds grid.width x grid.height cell colours, row-major, row 0 at the top. No
// floating-point operation and no call per pixel. Does nothing for an empty picture or grid.
void BlendGridOverSnapshot(const PixelRows& picture, GridSize grid, const uint32_t* colours);

// A grid cell, column x from the left and row y from the top.
struct Cell {
    int32_t x;
    int32_t y;
};

// The cell under pixel (px, py) of a width x height picture: px x (grid.width / width) and
// py x (grid.height / height) in double precision, truncated toward zero. Positions outside the
// picture (a drag onto another monitor) give the nearest edge cell, never an index outside the
// grid. Precondition: width, height, grid.width and grid.height are positive.
Cell CellAt(int32_t px, int32_t py, int32_t width, int32_t height, GridSize grid);

// The dragged rectangle in picture pixels: Left, Top where the left button went down, Right,
// Bottom the latest pointer position. Never normalised.
struct Selection {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// A rectangle with exclusive right and bottom bounds.
struct PixelRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The selection's outline: from its smaller to one past its larger corner coordinates, so that
// both corner pixels lie on the frame.
PixelRect SelectionOutline(const Selection& selection);

// The cells touched by the selection, both ends included (first.x <= last.x, first.y <= last.y).
struct CellRange {
    Cell first;
    Cell last;
};
CellRange SelectedCells(const Selection& selection, int32_t width, int32_t height, GridSize grid);

// The count of one cell (the library's GetPixelFrequency).
using CellCountReader = std::function<uint32_t(int32_t x, int32_t y)>;

// The total of every cell in the range, rows outer, in 32 bits that wrap modulo 2^32, read as a
// signed number.
int32_t SumCells(const CellRange& cells, const CellCountReader& countOf);

// The label's texts: a cell's count as unsigned and a selection sum as signed decimal digits,
// without grouping separators.
std::string CountText(uint32_t count);
std::string SumText(int32_t sum);

} // namespace kurvix
