// The full-screen view's picture fill, pointer readout and selection sums.
#include "FullscreenMath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

namespace kurvix {
namespace {

constexpr GridSize kGrid{80, 60};

// Numbers 0..511 survive the blend over a black snapshot when spread over the top three bits of
// the three channels.
uint32_t EncodeIndex(int32_t n) {
    return ((n >> 6 & 7u) << 21) | ((n >> 3 & 7u) << 13) | ((n & 7u) << 5);
}
int32_t DecodeIndex(uint32_t pixel) {
    return static_cast<int32_t>(((pixel >> 21 & 7u) << 6) | ((pixel >> 13 & 7u) << 3) |
                                (pixel >> 5 & 7u));
}

// A bitmap with padding after every row, so writes past a row's end show.
struct Bitmap {
    static constexpr int32_t kPad = 3;
    int32_t width, height;
    std::vector<uint32_t> words;
    Bitmap(int32_t w, int32_t h, uint32_t fill)
        : width(w), height(h), words(static_cast<size_t>((w + kPad) * h), fill) {}
    PixelRows Rows() {
        return PixelRows{reinterpret_cast<uint8_t*>(words.data()),
                         static_cast<std::ptrdiff_t>((width + kPad) * 4), width, height};
    }
    uint32_t At(int32_t x, int32_t y) const {
        return words[static_cast<size_t>(y * (width + kPad) + x)];
    }
};

// Fills a black snapshot with cells coloured by their column (or row) and counts the pixels of
// each cell column (row).
std::map<int32_t, int32_t> PixelsPerCell(int32_t width, int32_t height, bool columns) {
    std::vector<uint32_t> colours(static_cast<size_t>(kGrid.width * kGrid.height));
    for (int32_t cy = 0; cy < kGrid.height; ++cy)
        for (int32_t cx = 0; cx < kGrid.width; ++cx)
            colours[static_cast<size_t>(cy * kGrid.width + cx)] = EncodeIndex(columns ? cx : cy);
    Bitmap bitmap(width, height, 0xFF000000); // alpha set: the blend clears it
    BlendGridOverSnapshot(bitmap.Rows(), kGrid, colours.data());
    std::map<int32_t, int32_t> counts;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t pixel = bitmap.At(x, y);
            EXPECT_EQ(pixel >> 24, 0u) << "pixel (" << x << ", " << y << ") not written";
            if (columns ? y == 0 : x == 0)
                ++counts[DecodeIndex(pixel)];
        }
        for (int32_t x = width; x < width + Bitmap::kPad; ++x)
            EXPECT_EQ(bitmap.At(x, y), 0xFF000000u) << "padding of row " << y << " written";
    }
    return counts;
}

TEST(FullscreenFillTest, At1024x768EveryCellCoversTwelvePointEightPixels) {
    EXPECT_EQ(GridStep(80, 1024), 5120u);
    EXPECT_EQ(GridStep(60, 768), 5120u);
    for (bool columns : {true, false}) {
        const auto counts = PixelsPerCell(1024, 768, columns);
        ASSERT_EQ(counts.size(), columns ? 80u : 60u);
        for (const auto& [cell, pixels] : counts) // 64 pixels per five cells: 13 13 13 13 12
            EXPECT_EQ(pixels, cell % 5 == 4 ? 12 : 13) << "cell " << cell;
    }
}

TEST(FullscreenFillTest, At800x600TheTruncatedStepGivesElevenThenNinePixelsAtTheEdges) {
    EXPECT_EQ(GridStep(80, 800), 6553u);
    EXPECT_EQ(GridStep(60, 600), 6553u);
    for (bool columns : {true, false}) {
        const auto counts = PixelsPerCell(800, 600, columns);
        const int32_t cells = columns ? 80 : 60;
        ASSERT_EQ(static_cast<int32_t>(counts.size()), cells);
        EXPECT_EQ(counts.at(0), 11);
        EXPECT_EQ(counts.at(cells - 1), 9);
        int32_t total = 0;
        for (const auto& [cell, pixels] : counts) {
            EXPECT_TRUE(pixels == 10 || pixels == 11 || cell == cells - 1) << "cell " << cell;
            total += pixels;
        }
        EXPECT_EQ(total, columns ? 800 : 600);
    }
}

TEST(FullscreenFillTest, BottomUpRowsAreFilledTopDown) {
    // A 2 x 2 picture over a 2 x 2 grid, stored bottom-up: the top row is the last in memory.
    uint32_t words[4] = {};
    const uint32_t colours[4] = {0x200000, 0x002000, 0x000020, 0x202020};
    BlendGridOverSnapshot(PixelRows{reinterpret_cast<uint8_t*>(&words[2]), -8, 2, 2},
                          GridSize{2, 2}, colours);
    EXPECT_EQ(words[2], 0x200000u);
    EXPECT_EQ(words[3], 0x002000u);
    EXPECT_EQ(words[0], 0x000020u);
    EXPECT_EQ(words[1], 0x202020u);
}

TEST(FullscreenFillTest, BlendDarkensTheSnapshotAndOrsTheTopBitsOfTheCellColour) {
    struct Case {
        uint32_t snapshot, colour, expected;
    } const cases[] = {
        {0x00FFFFFF, 0x000000, 0x003F3F3F}, // white snapshot, black cell: quarter grey
        {0xFFFF00FF, 0x000000, 0x00000000}, // only green counts; alpha is cleared
        {0x00007C00, 0x123456, 0x001F3F5F}, // 0x1F from the snapshot, 0x00/0x20/0x40 from the cell
        {0x00008000, 0x202020, 0x00202020}, // bit 5 from both sides
        {0x00000000, 0xFFFFFFFF, 0x00E0E0E0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlendPixel(c.snapshot, c.colour), c.expected)
            << std::hex << c.snapshot << " with " << c.colour;
}

TEST(FullscreenReadoutTest, PointerPositionsMapToCellsAndStayInsideTheGrid) {
    struct Case {
        int32_t px, py, width, height, cx, cy;
    } const cases[] = {
        {0, 0, 800, 600, 0, 0},         {9, 9, 800, 600, 0, 0},
        {10, 10, 800, 600, 1, 1},       {799, 599, 800, 600, 79, 59},
        {1023, 767, 1024, 768, 79, 59}, {12, 13, 1024, 768, 0, 1},
        {-1, -1, 800, 600, 0, 0},       {-5000, 300, 800, 600, 0, 30}, // another monitor
        {800, 600, 800, 600, 79, 59},   {100000, -100000, 800, 600, 79, 0},
    };
    for (const auto& c : cases) {
        const Cell cell = CellAt(c.px, c.py, c.width, c.height, kGrid);
        EXPECT_EQ(cell.x, c.cx) << c.px << "," << c.py << " on " << c.width << "x" << c.height;
        EXPECT_EQ(cell.y, c.cy) << c.px << "," << c.py << " on " << c.width << "x" << c.height;
    }
    EXPECT_EQ(CountText(1234), "1234");
    EXPECT_EQ(CountText(4294967295u), "4294967295");
    EXPECT_EQ(SumText(-2), "-2");
}

class SelectionTest : public ::testing::Test {
  protected:
    std::vector<uint32_t> grid = std::vector<uint32_t>(80 * 60, 0);
    std::vector<Cell> reads;
    CellCountReader reader = [this](int32_t x, int32_t y) {
        reads.push_back(Cell{x, y});
        EXPECT_TRUE(x >= 0 && x < 80 && y >= 0 && y < 60) << "read outside: " << x << "," << y;
        return grid[static_cast<size_t>(y * 80 + x)];
    };
    void Set(int32_t x, int32_t y, uint32_t count) {
        grid[static_cast<size_t>(y * 80 + x)] = count;
    }
    int32_t Sum(const Selection& s) { return SumCells(SelectedCells(s, 800, 600, kGrid), reader); }
};

TEST_F(SelectionTest, EveryTouchedCellCountsWholeInEitherDragDirection) {
    Set(1, 1, 5);  // pixels 10-19
    Set(2, 2, 7);  // pixels 20-29
    Set(3, 3, 11); // outside: the rectangle ends at pixel 29
    Set(2, 1, 100);
    const Selection forward{19, 15, 20, 29}; // one pixel into cells 1 and 2 each way
    const Selection backward{20, 29, 19, 15};
    EXPECT_EQ(Sum(forward), 112);
    EXPECT_EQ(Sum(backward), 112);
    // Rows outer, each touched cell read once.
    ASSERT_EQ(reads.size(), 8u);
    EXPECT_EQ(reads[1].x, 2);
    EXPECT_EQ(reads[1].y, 1);
    const PixelRect outline = SelectionOutline(backward);
    EXPECT_EQ(outline.left, 19);
    EXPECT_EQ(outline.top, 15);
    EXPECT_EQ(outline.right, 21);
    EXPECT_EQ(outline.bottom, 30);
}

TEST_F(SelectionTest, ARectangleInsideOneCellGivesThatCellsCount) {
    Set(4, 3, 1234);
    Set(5, 3, 1);
    EXPECT_EQ(Sum(Selection{41, 31, 48, 38}), 1234);
    EXPECT_EQ(Sum(Selection{45, 35, 45, 35}), 1234); // a press without movement
}

TEST_F(SelectionTest, PositionsOffTheScreenClampToTheEdgeCells) {
    Set(0, 0, 1);
    Set(79, 59, 2);
    EXPECT_EQ(Sum(Selection{-3000, -10, 5000, 900}), 3);
    EXPECT_EQ(reads.size(), 80u * 60u);
}

TEST_F(SelectionTest, TheSumWrapsInThirtyTwoBits) {
    Set(0, 0, 0x7FFFFFFF);
    Set(1, 0, 1);
    EXPECT_EQ(Sum(Selection{0, 0, 15, 0}), INT32_MIN);
    Set(1, 0, 0xFFFFFFFF);
    Set(0, 0, 0xFFFFFFFF);
    EXPECT_EQ(Sum(Selection{0, 0, 15, 0}), -2);
}

} // namespace
} // namespace kurvix
