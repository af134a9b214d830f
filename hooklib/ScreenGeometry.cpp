#include "ScreenGeometry.h"

namespace kurvix {

namespace {

constexpr long double kMetresPerMillimetre = 0.001; // the double nearest 0.001, as the factor
constexpr long double kCentimetresPerMillimetre = 0.1;

void ApplyAxis(double sizeMm, int pixels, int cells, double& metresPerPixel,
               double& cellsPerPixel) {
    if (pixels == 0)
        return;
    const long double n = pixels;
    metresPerPixel = static_cast<double>(sizeMm / n * kMetresPerMillimetre);
    cellsPerPixel = static_cast<double>(cells / n);
}

} // namespace

double CentimetresToMillimetres(double cm) { return static_cast<double>(cm * 10.0L); }

double MillimetresToCentimetres(double mm) {
    return static_cast<double>(mm * kCentimetresPerMillimetre);
}

void ApplyResolution(SharedBlock& block, int rx, int ry) {
    ApplyAxis(block.ScreenWidthMm, rx, kGridWidth, block.MetresPerPixelX, block.CellsPerPixelX);
    ApplyAxis(block.ScreenHeightMm, ry, kGridHeight, block.MetresPerPixelY, block.CellsPerPixelY);
}

} // namespace kurvix
