// TFrequencyMapper: the pixel frequency grid turned into one colour per cell. The palette has
// 1024 entries running black, blue, red, yellow, white; a cell's entry grows with its count on
// a saturating exponential scale anchored at the grid's smallest and largest counts, so the
// quietest cells are black and the busiest almost white. Colours are 0x00RRGGBB, the pixel of
// a 32-bit device-independent bitmap row.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kurvix {

// Where the counts come from: in the program, the hook library's exports of the same names and
// signatures (GetPixelFrequencyWidth, GetPixelFrequencyHeight, GetMinMaxPixelFrequency,
// GetPixelFrequency).
struct FrequencySource {
    int32_t (*width)();
    int32_t (*height)();
    void (*minMax)(int32_t& min, int32_t& max);
    uint32_t (*count)(int32_t x, int32_t y);
};

constexpr int kPaletteSize = 1024;

class TFrequencyMapper {
  public:
    // Reads the grid size once; the source must outlive the mapper.
    explicit TFrequencyMapper(const FrequencySource& source);

    // Recomputes every cell's colour from the current counts.
    void UpdateColors();

    // The colour of cell (x, y) is Colors[y * Width + x]; row 0 is the top of the screen.
    int32_t Width;
    int32_t Height;
    std::vector<uint32_t> Colors;
    std::array<uint32_t, kPaletteSize> Palette;
    int32_t MinCount = 0;
    int32_t MaxCount = 0;
    double Scale = 0;

  private:
    int PaletteIndex(uint32_t count) const;

    const FrequencySource& source_;
};

} // namespace kurvix
