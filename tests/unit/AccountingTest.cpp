// One mouse message at a time into the block: path lengths, clicks and their cells at the
// screen's edges, the wheel, and the cursor-circling steps.
#include "Accounting.h"
#include "FakeHookPlatform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace kurvix {
namespace {

class RecordingCursor final : public CursorMover {
  public:
    void MoveCursor(int32_t x, int32_t y) override { moves.emplace_back(x, y); }
    std::vector<std::pair<int32_t, int32_t>> moves;
};

class AccountingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseExtendedPrecision();
        block.CellsPerPixelX = 80 / 1024.0;
        block.CellsPerPixelY = 60 / 768.0;
    }
    void Send(uint32_t message, int32_t x, int32_t y) {
        AccountMouseEvent(block, MouseEvent{message, x, y}, cursor);
    }
    SharedBlock block = FreshBlock();
    RecordingCursor cursor;
};

TEST_F(AccountingTest, FirstMoveOnlyRecordsThePosition) {
    Send(msg::MouseMove, 100, 100);
    EXPECT_EQ(block.Pixels, 0.0L);
    EXPECT_EQ(block.Distance, 0.0L);
    EXPECT_TRUE(block.HavePosition);
    EXPECT_EQ(block.LastX, 100);
    EXPECT_EQ(block.LastY, 100);
}

TEST_F(AccountingTest, MovesAddPixelsAndMetres) {
    block.MetresPerPixelX = block.MetresPerPixelY = 0.00025;
    Send(msg::MouseMove, 100, 100);
    Send(msg::NcMouseMove, 103, 104);
    EXPECT_EQ(block.Pixels, 5.0L);
    EXPECT_NEAR(static_cast<double>(block.Distance), 0.00125, 1e-18);
    Send(msg::MouseMove, 103, 104); // no motion
    EXPECT_EQ(block.Pixels, 5.0L);

    block.MetresPerPixelX = 0;
    block.MetresPerPixelY = 0.0003;
    const long double metres = block.Distance;
    Send(msg::MouseMove, 203, 104); // horizontal only
    EXPECT_EQ(block.Pixels, 105.0L);
    EXPECT_EQ(block.Distance, metres);
}

TEST_F(AccountingTest, HugeJumpsKeepTheSquaresExact) {
    block.HavePosition = true;
    block.LastX = INT32_MIN;
    block.LastY = 0;
    Send(msg::MouseMove, INT32_MAX, 0);
    EXPECT_EQ(block.Pixels, 4294967295.0L);
    block.LastX = -1500000000;
    block.LastY = -2000000000;
    Send(msg::MouseMove, 1500000000, 2000000000); // 3e9 across, 4e9 down
    EXPECT_EQ(block.Pixels, 4294967295.0L + 5000000000.0L);
}

TEST_F(AccountingTest, ClicksCountInTheirCellAtTheScreenEdges) {
    struct Case {
        uint32_t message;
        int32_t x, y;
        int column, row; // -1: nothing counts
    } cases[] = {
        {msg::LButtonDown, 1023, 767, 79, 59}, {msg::LButtonDown, 0, 0, 0, 0},
        {msg::LButtonDown, 1024, 0, -1, -1},   {msg::LButtonDown, 0, 768, -1, -1},
        {msg::LButtonDown, -5, 10, 0, 0},      {msg::LButtonDown, -13, 10, -1, -1},
        {msg::LButtonDown, 10, -12, 0, 0},     {msg::LButtonDown, 10, -13, -1, -1},
        {msg::LButtonDown, 512, 384, 40, 30},  {msg::LButtonDown, 13, 13, 1, 1},
    };
    for (const Case& c : cases) {
        SharedBlock b = FreshBlock();
        b.CellsPerPixelX = block.CellsPerPixelX;
        b.CellsPerPixelY = block.CellsPerPixelY;
        AccountMouseEvent(b, MouseEvent{c.message, c.x, c.y}, cursor);
        const bool counts = c.column >= 0;
        EXPECT_EQ(b.MouseClicksLeft, counts ? 1u : 0u) << c.x << "," << c.y;
        uint32_t total = 0;
        for (const auto& row : b.PixelFrequency)
            for (uint32_t cell : row)
                total += cell;
        EXPECT_EQ(total, counts ? 1u : 0u);
        if (counts) {
            EXPECT_EQ(b.PixelFrequency[c.row][c.column], 1u) << c.x << "," << c.y;
        }
    }
}

TEST_F(AccountingTest, EachMessageCountsForItsButtonOnly) {
    struct Case {
        uint32_t message;
        uint32_t left, right, middle, wheel;
    } cases[] = {
        {msg::LButtonDown, 1, 0, 0, 0},
        {msg::LButtonDblClk, 1, 0, 0, 0},
        {msg::NcLButtonDown, 1, 0, 0, 0},
        {msg::NcLButtonDblClk, 1, 0, 0, 0},
        {msg::RButtonDown, 0, 1, 0, 0},
        {msg::RButtonDblClk, 0, 1, 0, 0},
        {msg::NcRButtonDown, 0, 1, 0, 0},
        {msg::NcRButtonDblClk, 0, 1, 0, 0},
        {msg::MButtonDown, 0, 0, 1, 0},
        {msg::MButtonDblClk, 0, 0, 1, 0},
        {msg::NcMButtonDown, 0, 0, 1, 0},
        {msg::NcMButtonDblClk, 0, 0, 1, 0},
        {msg::MouseWheel, 0, 0, 0, 1},
        {msg::LButtonUp, 0, 0, 0, 0},
        {0x0205 /* right up */, 0, 0, 0, 0},
        {0x020B /* x button */, 0, 0, 0, 0},
        {0x020E /* horizontal wheel */, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SharedBlock b = FreshBlock();
        b.CellsPerPixelX = b.CellsPerPixelY = 0.05;
        AccountMouseEvent(b, MouseEvent{c.message, 20, 20}, cursor);
        EXPECT_EQ(b.MouseClicksLeft, c.left) << std::hex << c.message;
        EXPECT_EQ(b.MouseClicksRight, c.right) << std::hex << c.message;
        EXPECT_EQ(b.MouseClicksMiddle, c.middle) << std::hex << c.message;
        EXPECT_EQ(b.MouseWheelTicks, c.wheel) << std::hex << c.message;
        EXPECT_EQ(b.PixelFrequency[1][1], c.left + c.right + c.middle) << std::hex << c.message;
        EXPECT_FALSE(b.HavePosition);
    }
}

TEST_F(AccountingTest, CountersWrapAroundAt32Bits) {
    block.MouseClicksLeft = 4294967295u;
    block.PixelFrequency[0][0] = 4294967295u;
    block.MouseWheelTicks = 4294967295u;
    Send(msg::LButtonDown, 1, 1);
    Send(msg::MouseWheel, 1, 1);
    EXPECT_EQ(block.MouseClicksLeft, 0u);
    EXPECT_EQ(block.PixelFrequency[0][0], 0u);
    EXPECT_EQ(block.MouseWheelTicks, 0u);
}

TEST_F(AccountingTest, NanOrHugeGridFactorCountsNothing) {
    for (double factor : {__builtin_nan(""), 1e300, -1e300}) {
        SharedBlock b = FreshBlock();
        b.CellsPerPixelX = factor;
        b.CellsPerPixelY = 0.05;
        AccountMouseEvent(b, MouseEvent{msg::LButtonDown, 5, 5}, cursor);
        EXPECT_EQ(b.MouseClicksLeft, 0u) << factor;
    }
}

TEST_F(AccountingTest, CirclingMovesTheCursorEverySecondMove) {
    block.EasterMode = true;
    Send(msg::MouseMove, 100, 100);
    EXPECT_EQ(block.CircleStep, 1);
    EXPECT_FALSE(block.CircleDue);
    ASSERT_EQ(cursor.moves.size(), 1u);
    EXPECT_EQ(cursor.moves[0], std::make_pair(105, 100));

    Send(msg::MouseMove, 105, 100); // the move the cursor move caused
    EXPECT_EQ(cursor.moves.size(), 1u);
    EXPECT_TRUE(block.CircleDue);
    EXPECT_EQ(block.Pixels, 5.0L);
    Send(msg::MouseMove, 100, 100);
    EXPECT_EQ(block.CircleStep, 2);
    EXPECT_EQ(cursor.moves.size(), 2u);
}

TEST_F(AccountingTest, CirclingStepsLandOnTheirPositions) {
    struct Case {
        int32_t stepBefore;
        int32_t step, x, y;
    } cases[] = {
        {49, 50, 94, 100},  // cos = -1, sin a hair above 0
        {74, 75, 99, 94},   // cos a tiny negative number: truncated just below 100
        {99, 100, 106, 99}, // a hair short of a full turn: the sine is a tiny negative number
        {100, 0, 106, 100}, // after 100 comes 0
        {24, 25, 100, 106},
    };
    for (const Case& c : cases) {
        SharedBlock b = FreshBlock();
        b.EasterMode = true;
        b.CircleStep = c.stepBefore;
        RecordingCursor rc;
        AccountMouseEvent(b, MouseEvent{msg::MouseMove, 100, 100}, rc);
        EXPECT_EQ(b.CircleStep, c.step);
        ASSERT_EQ(rc.moves.size(), 1u);
        EXPECT_EQ(rc.moves[0], std::make_pair(c.x, c.y)) << "step " << c.step;
    }
}

TEST_F(AccountingTest, ModeOffKeepsTheCirclingDue) {
    block.CircleDue = false;
    Send(msg::MouseMove, 1, 1);
    EXPECT_TRUE(block.CircleDue);
    EXPECT_TRUE(cursor.moves.empty());
    block.EasterMode = true; // the first move after switching on makes a step
    Send(msg::MouseMove, 2, 2);
    EXPECT_EQ(cursor.moves.size(), 1u);
    EXPECT_EQ(block.CircleStep, 1);
}

// The same bits on both builds: a fixed walk whose totals are compared bit for bit with values
// that the two builds must both reproduce.
TEST_F(AccountingTest, ExtendedTotalsAreBitExact) {
    block.MetresPerPixelX = 0.000265;
    block.MetresPerPixelY = 0.000271;
    uint32_t seed = 12345;
    for (int i = 0; i < 10000; ++i) {
        seed = seed * 1103515245u + 12345u;
        Send(msg::MouseMove, static_cast<int32_t>(seed >> 20), static_cast<int32_t>(seed % 1500));
    }
    unsigned char pixels[10], metres[10];
    std::memcpy(pixels, &block.Pixels, 10);
    std::memcpy(metres, &block.Distance, 10);
    auto hex = [](const unsigned char* p) {
        char s[21];
        for (int i = 0; i < 10; ++i)
            snprintf(s + 2 * i, 3, "%02x", p[9 - i]);
        return std::string(s);
    };
    EXPECT_EQ(hex(pixels), EXPECTED_PIXELS_HEX);
    EXPECT_EQ(hex(metres), EXPECTED_METRES_HEX);
}

} // namespace
} // namespace kurvix
