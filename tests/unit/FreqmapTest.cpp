// TFrequencyMapper over the counting core's grid: the palette, the saturating scale with its
// worked example, a shifted range, the cell order, and the same colours whatever the caller's
// x87 precision setting.
#include "Freqmap.h"
#include "FakeHookPlatform.h"

#include <gtest/gtest.h>

#include <set>

namespace kurvix {
namespace {

// The grid behind the mapper: the library's export logic over one block.
SharedBlock gBlock = FreshBlock();
BlockAccess& Access() {
    static BlockAccess access(gBlock, test::FakePlatform());
    return access;
}
const FrequencySource kCoreGrid{
    [] { return static_cast<int32_t>(BlockAccess::GetPixelFrequencyWidth()); },
    [] { return static_cast<int32_t>(BlockAccess::GetPixelFrequencyHeight()); },
    [](int32_t& min, int32_t& max) { Access().GetMinMaxPixelFrequency(min, max); },
    [](int32_t x, int32_t y) { return Access().GetPixelFrequency(x, y); }};

class FreqmapTest : public ::testing::Test {
  protected:
    void SetUp() override { gBlock = FreshBlock(); }
    void Fill(uint32_t count) {
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                Access().SetPixelFrequency(x, y, count);
    }
    // Colours of all cells but the listed ones.
    std::set<uint32_t> OtherColours(const TFrequencyMapper& m, std::set<size_t> except) {
        std::set<uint32_t> colours;
        for (size_t i = 0; i < m.Colors.size(); ++i)
            if (!except.count(i))
                colours.insert(m.Colors[i]);
        return colours;
    }
    TFrequencyMapper mapper{kCoreGrid};
};

TEST_F(FreqmapTest, PaletteRunsBlackBlueRedYellowWhite) {
    const struct {
        int entry;
        uint32_t colour;
    } cases[] = {{0, 0x000000},   {128, 0x000080}, {255, 0x0000FF}, {256, 0x0000FF},
                 {383, 0x7F0080}, {511, 0xFF0000}, {512, 0xFF0000}, {639, 0xFF7F00},
                 {767, 0xFFFF00}, {768, 0xFFFF00}, {909, 0xFFFF8D}, {1010, 0xFFFFF2},
                 {1023, 0xFFFFFF}};
    for (const auto& c : cases)
        EXPECT_EQ(mapper.Palette[c.entry], c.colour) << c.entry;
    EXPECT_EQ(std::set<uint32_t>(mapper.Palette.begin(), mapper.Palette.end()).size(), 1021u);
}

TEST_F(FreqmapTest, ConstructionTakesTheGridSize) {
    EXPECT_EQ(mapper.Width, 80);
    EXPECT_EQ(mapper.Height, 60);
    EXPECT_EQ(mapper.Colors.size(), 4800u);
    EXPECT_EQ(mapper.MinCount, 0);
    EXPECT_EQ(mapper.MaxCount, 0);
    EXPECT_EQ(mapper.Scale, 0.0);
}

TEST_F(FreqmapTest, EqualCountsAreAllBlack) {
    for (uint32_t count : {0u, 7u}) {
        Fill(count);
        mapper.UpdateColors();
        EXPECT_EQ(mapper.Scale, 0.0);
        EXPECT_EQ(OtherColours(mapper, {}), std::set<uint32_t>{0}) << count;
    }
}

TEST_F(FreqmapTest, WorkedExampleOfRangeTen) {
    const struct {
        int x;
        uint32_t d;
        uint32_t colour;
    } cells[] = {{1, 1, 0x6B0094}, {2, 2, 0xFF5600}, {5, 5, 0xFFFF8D},
                 {7, 7, 0xFFFFCF}, {9, 9, 0xFFFFEB}, {10, 10, 0xFFFFF2}};
    // The same bits at 64-bit and at 53-bit precision in the caller.
    for (unsigned short controlWord : {0x037F, 0x027F}) {
        unsigned short saved;
        __asm__ volatile("fnstcw %0" : "=m"(saved));
        __asm__ volatile("fldcw %0" : : "m"(controlWord));
        for (const auto& c : cells)
            Access().SetPixelFrequency(c.x, 3, c.d);
        mapper.UpdateColors();
        __asm__ volatile("fldcw %0" : : "m"(saved));

        EXPECT_EQ(mapper.MinCount, 0);
        EXPECT_EQ(mapper.MaxCount, 10);
        EXPECT_EQ(mapper.Scale, static_cast<double>(4.39444915467243876558L / 10));
        std::set<size_t> lit;
        for (const auto& c : cells) {
            EXPECT_EQ(mapper.Colors[3 * 80 + c.x], c.colour) << "d " << c.d;
            lit.insert(3 * 80 + c.x);
        }
        EXPECT_EQ(OtherColours(mapper, lit), std::set<uint32_t>{0});
    }
}

TEST_F(FreqmapTest, OnlyTheDistanceFromTheSmallestCountMatters) {
    Fill(100);
    Access().SetPixelFrequency(0, 0, 110);
    Access().SetPixelFrequency(40, 30, 107);
    mapper.UpdateColors();
    EXPECT_EQ(mapper.Colors[30 * 80 + 40], 0xFFFFCFu);
    EXPECT_EQ(mapper.Colors[0], 0xFFFFF2u);
    EXPECT_EQ(OtherColours(mapper, {0, 30 * 80 + 40}), std::set<uint32_t>{0});
}

TEST_F(FreqmapTest, CellOrderIsRowAfterRow) {
    Access().SetPixelFrequency(79, 0, 1);
    Access().SetPixelFrequency(0, 1, 1);
    mapper.UpdateColors();
    EXPECT_EQ(mapper.Colors[79], 0xFFFFF2u);
    EXPECT_EQ(mapper.Colors[80], 0xFFFFF2u);
    EXPECT_EQ(OtherColours(mapper, {79, 80}), std::set<uint32_t>{0});
}

// Counts read after the minimum and maximum were taken may exceed them (clicks keep coming),
// and counts past 2^31 turn the signed range negative: colours stay within the palette.
TEST(FreqmapEdgeTest, CountsOutsideTheRangeStayInThePalette) {
    static uint32_t lateCount;
    static int32_t reportedMin, reportedMax;
    const FrequencySource racing{[] { return int32_t{4}; }, [] { return int32_t{1}; },
                                 [](int32_t& min, int32_t& max) {
                                     min = reportedMin;
                                     max = reportedMax;
                                 },
                                 [](int32_t x, int32_t) { return x == 0 ? lateCount : 0u; }};
    TFrequencyMapper m(racing);
    const struct {
        int32_t min, max;
        uint32_t late;
        uint32_t colour;
    } cases[] = {{0, 10, 11, 0xFFFFF6},
                 {0, 10, 0xFFFFFFFFu, 0xFFFFFF},
                 {0, 1, 1000, 0xFFFFFF},
                 {5, 10, 0, 0xFFFFFF},                         // below the minimum: wraps high
                 {-2147483647 - 1, 0, 0x80000000u, 0x000000}}; // range wraps: scale 0
    for (const auto& c : cases) {
        reportedMin = c.min;
        reportedMax = c.max;
        lateCount = c.late;
        m.UpdateColors();
        EXPECT_EQ(m.Colors[0], c.colour) << c.late;
    }
}

} // namespace
} // namespace kurvix
