// The main window's click distribution image and its legend, written into 32-bit bitmap rows:
// one pixel per grid cell in the mapper's colours, and a one-pixel-wide bar of the whole
// palette, white at the top to almost black at the bottom.
#pragma once

#include "Freqmap.h"

#include <cstdint>
#include <functional>

namespace kurvix {

// The pixel memory of row `row` of a 32-bit bitmap, row 0 at the top.
using RowAccess = std::function<uint32_t*(int row)>;

// Copies the mapper's colours (after its UpdateColors) into rows 0 .. height - 1, `width`
// pixels each (at most the mapper's grid is copied).
void FillDistributionRows(const TFrequencyMapper& mapper, int width, int height,
                          const RowAccess& row);

// The palette entry of legend row r of a legend `height` rows high: (1 - r / height) x 1023,
// truncated.
int LegendPaletteIndex(int row, int height);

// Fills the legend: one pixel per row of a bitmap `height` rows high.
void FillLegendRows(const TFrequencyMapper& mapper, int height, const RowAccess& row);

} // namespace kurvix
