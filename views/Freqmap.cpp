#include "Freqmap.h"

#include "X87Math.h"

namespace kurvix {

namespace {

// ln 81 = 4 ln 3: the largest count lands at 1 - 1/81 of the palette, half the range at 8/9.
constexpr long double kFourLnThree = 4.39444915467243876558098094769010L;

std::array<uint32_t, kPaletteSize> BuildPalette() {
    std::array<uint32_t, kPaletteSize> p{};
    for (uint32_t i = 0; i < 256; ++i) {
        p[i] = i;                             // black to blue
        p[256 + i] = (255 - i) + i * 0x10000; // blue to red
        p[512 + i] = 0xFF0000 + i * 0x100;    // red to yellow
        p[768 + i] = 0xFFFF00 + i;            // yellow to white
    }
    return p;
}

size_t CellCount(int32_t width, int32_t height) {
    return width > 0 && height > 0 ? static_cast<size_t>(width) * static_cast<size_t>(height) : 0;
}

} // namespace

TFrequencyMapper::TFrequencyMapper(const FrequencySource& source)
    : Width(source.width()), Height(source.height()), Colors(CellCount(Width, Height)),
      Palette(BuildPalette()), source_(source) {}

// f = 1 - e^(-Scale d) rounded to a double, then the entry f x 1023 truncated. Counts that grew
// after the minimum and maximum were taken may go past 1010 but stay within the palette.
int TFrequencyMapper::PaletteIndex(uint32_t count) const {
    const uint32_t d = count - static_cast<uint32_t>(MinCount);
    const long double exponent = -static_cast<long double>(Scale) * static_cast<long double>(d);
    const double f = static_cast<double>(1.0L - X87Exp(exponent));
    const long double entry = static_cast<long double>(f) * (kPaletteSize - 1);
    if (!(entry > 0))
        return 0;
    if (entry >= kPaletteSize - 1)
        return kPaletteSize - 1;
    return static_cast<int>(entry);
}

void TFrequencyMapper::UpdateColors() {
    X87ExtendedPrecision precision;
    source_.minMax(MinCount, MaxCount);
    const int32_t range =
        static_cast<int32_t>(static_cast<uint32_t>(MaxCount) - static_cast<uint32_t>(MinCount));
    Scale = range > 0 ? static_cast<double>(kFourLnThree / range) : 0.0;
    for (int32_t y = 0; y < Height; ++y)
        for (int32_t x = 0; x < Width; ++x)
            Colors[static_cast<size_t>(y) * Width + x] = Palette[PaletteIndex(source_.count(x, y))];
}

} // namespace kurvix
