// The distribution image and the legend written through row pointers.
#include "DistributionImage.h"

#include <gtest/gtest.h>

#include <vector>

namespace kurvix {
namespace {

uint32_t gCounts[60][80];
const FrequencySource kGrid{[] { return int32_t{80}; }, [] { return int32_t{60}; },
                            [](int32_t& min, int32_t& max) {
                                min = 0;
                                max = 0;
                                for (auto& row : gCounts)
                                    for (uint32_t c : row)
                                        max = static_cast<int32_t>(c) > max
                                                  ? static_cast<int32_t>(c)
                                                  : max;
                            },
                            [](int32_t x, int32_t y) { return gCounts[y][x]; }};

TEST(DistributionImageTest, OneClickInTheBottomRightCell) {
    gCounts[59][79] = 1;
    TFrequencyMapper mapper(kGrid);
    mapper.UpdateColors();
    // A bottom-up bitmap with padded rows: the row pointers decide where each row goes.
    const int pitch = 83;
    std::vector<uint32_t> bits(pitch * 60, 0xDEADBEEF);
    FillDistributionRows(mapper, 80, 60, [&](int row) { return &bits[(59 - row) * pitch]; });
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < pitch; ++x) {
            const uint32_t pixel = bits[(59 - y) * pitch + x];
            const uint32_t expected = x >= 80 ? 0xDEADBEEF : (x == 79 && y == 59 ? 0xFFFFF2 : 0);
            ASSERT_EQ(pixel, expected) << x << "," << y;
        }
    gCounts[59][79] = 0;
}

TEST(DistributionImageTest, LegendSpansThePaletteTopDown) {
    TFrequencyMapper mapper(kGrid);
    std::vector<uint32_t> bar(60, 0xDEADBEEF);
    FillLegendRows(mapper, 60, [&](int row) { return &bar[row]; });
    const struct {
        int row;
        uint32_t colour;
    } cases[] = {{0, 0xFFFFFF}, {15, 0xFFFF00}, {30, 0xFF0000}, {45, 0x0000FF}, {59, 0x000011}};
    for (const auto& c : cases)
        EXPECT_EQ(bar[c.row], c.colour) << c.row;
    EXPECT_EQ(LegendPaletteIndex(1, 60), 1005); // 17.05 entries per row
    const int row20 = LegendPaletteIndex(20, 60), row40 = LegendPaletteIndex(40, 60);
    EXPECT_TRUE(row20 == 682 || row20 == 681) << row20;
    EXPECT_TRUE(row40 == 341 || row40 == 340) << row40;
    for (int r = 1; r < 60; ++r)
        EXPECT_LT(LegendPaletteIndex(r, 60), LegendPaletteIndex(r - 1, 60)) << r;
}

} // namespace
} // namespace kurvix
