#include "DistributionImage.h"

#include "X87Math.h"

#include <cstring>

namespace kurvix {

void FillDistributionRows(const TFrequencyMapper& mapper, int width, int height,
                          const RowAccess& row) {
    const int columns = width < mapper.Width ? width : mapper.Width;
    const int rows = height < mapper.Height ? height : mapper.Height;
    for (int y = 0; y < rows; ++y)
        std::memcpy(row(y), mapper.Colors.data() + static_cast<size_t>(y) * mapper.Width,
                    static_cast<size_t>(columns > 0 ? columns : 0) * sizeof(uint32_t));
}

int LegendPaletteIndex(int row, int height) {
    X87ExtendedPrecision precision;
    volatile long double r = row, h = height; // memory keeps the arithmetic inside the scope
    const double v = static_cast<double>(1.0L - r / h);
    volatile long double entry = static_cast<long double>(v) * (kPaletteSize - 1);
    const long double e = entry;
    if (!(e > 0))
        return 0;
    return e >= kPaletteSize - 1 ? kPaletteSize - 1 : static_cast<int>(e);
}

void FillLegendRows(const TFrequencyMapper& mapper, int height, const RowAccess& row) {
    for (int r = 0; r < height; ++r)
        *row(r) = mapper.Palette[LegendPaletteIndex(r, height)];
}

} // namespace kurvix
