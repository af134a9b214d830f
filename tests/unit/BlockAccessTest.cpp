// The exports' logic over one block: initial values, setters and getters, the grid queries and
// the screen geometry.
#include "BlockAccess.h"
#include "FakeHookPlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace kurvix {
namespace {

class BlockAccessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseExtendedPrecision();
        test::FakeDisplay::Reset();
    }
    SharedBlock block = FreshBlock();
    BlockAccess access{block, test::FakePlatform()};
};

TEST_F(BlockAccessTest, FreshBlockReadsZeroEverywhere) {
    EXPECT_EQ(access.GetHookCount(), 0u);
    EXPECT_EQ(access.GetPixels(), 0.0L);
    EXPECT_EQ(access.GetDistance(), 0.0L);
    EXPECT_EQ(access.GetMouseClicksLeft() + access.GetMouseClicksRight() +
                  access.GetMouseClicksMiddle() + access.GetMouseWheelTicks(),
              0u);
    EXPECT_EQ(access.GetScreenWidth(), 0.0);
    EXPECT_EQ(access.GetPreviousHandle(), nullptr);
    EXPECT_FALSE(access.GetEasterMode());
    EXPECT_EQ(access.GetTotalPixelClicks(), 0u);
    int min = -1, max = -1;
    access.GetMinMaxPixelFrequency(min, max);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 0);
    EXPECT_TRUE(block.CircleDue);
    EXPECT_EQ(block.Guard, 0u);
}

TEST_F(BlockAccessTest, GetPixelsTruncatesTowardZeroAndKeepsTheFraction) {
    struct Case {
        long double stored, whole;
    } cases[] = {
        {1234.75L, 1234.0L},
        {-2.5L, -2.0L},
        {0.999L, 0.0L},
        {2147483648.5L, 2147483648.0L},                       // past a signed 32-bit integer
        {4294967296.0L * 4096 + 0.25L, 4294967296.0L * 4096}, // 2^44
        {1e25L, 1e25L},                                       // beyond 64 bits: already whole
    };
    for (const Case& c : cases) {
        access.SetPixels(c.stored);
        EXPECT_EQ(access.GetPixels(), c.whole) << static_cast<double>(c.stored);
        EXPECT_EQ(block.Pixels, c.stored);
    }
}

TEST_F(BlockAccessTest, DistanceKeepsAllEightyBits) {
    const long double d = 1.0L + 1.0L / (1ull << 62); // needs the 64-bit significand
    access.SetDistance(d);
    const long double back = access.GetDistance();
    EXPECT_EQ(std::memcmp(&back, &d, 10), 0);
    EXPECT_NE(static_cast<long double>(static_cast<double>(d)), d);
}

TEST_F(BlockAccessTest, GridIsRowMajorAndIgnoresOutsideCoordinates) {
    access.SetPixelFrequency(79, 59, 7);
    EXPECT_EQ(access.GetPixelFrequency(79, 59), 7u);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(block.PixelFrequency)[kGridCells - 1], 7u);
    access.SetPixelFrequency(1, 0, 3);
    access.SetPixelFrequency(0, 1, 4);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(block.PixelFrequency)[1], 3u);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(block.PixelFrequency)[80], 4u);

    const SharedBlock before = block;
    for (auto [x, y] : {std::pair{80, 0}, {0, 60}, {-1, 0}, {0, -1}, {1 << 30, 1 << 30}}) {
        access.SetPixelFrequency(x, y, 99);
        EXPECT_EQ(access.GetPixelFrequency(x, y), 0u) << x << "," << y;
    }
    EXPECT_EQ(std::memcmp(&before, &block, sizeof block), 0);
}

TEST_F(BlockAccessTest, MinMaxAndTotalScanTheWholeGrid) {
    access.SetPixelFrequency(40, 30, 5);
    int min = -1, max = -1;
    access.GetMinMaxPixelFrequency(min, max);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 5);
    EXPECT_EQ(access.GetTotalPixelClicks(), 5u);

    for (int y = 0; y < kGridHeight; ++y)
        for (int x = 0; x < kGridWidth; ++x)
            access.SetPixelFrequency(x, y, 9);
    access.GetMinMaxPixelFrequency(min, max);
    EXPECT_EQ(min, 9);
    EXPECT_EQ(max, 9);
    EXPECT_EQ(access.GetTotalPixelClicks(), 9u * kGridCells);

    // Counts are taken as signed for the scale; the total wraps modulo 2^32.
    access.SetPixelFrequency(0, 0, 0x80000000u);
    access.SetPixelFrequency(1, 0, 0x80000000u);
    access.GetMinMaxPixelFrequency(min, max);
    EXPECT_EQ(min, INT32_MIN);
    EXPECT_EQ(max, 9);
    EXPECT_EQ(access.GetTotalPixelClicks(), 9u * (kGridCells - 2));
}

TEST_F(BlockAccessTest, ScreenSizeSetsMillimetresAndFactors) {
    access.SetScreenSize(32, 24);
    EXPECT_EQ(block.ScreenWidthMm, 320.0);
    EXPECT_EQ(block.ScreenHeightMm, 240.0);
    EXPECT_EQ(block.MetresPerPixelX, 0.0003125);
    EXPECT_EQ(block.MetresPerPixelY, 0.0003125);
    EXPECT_EQ(block.CellsPerPixelX, 0.078125);
    EXPECT_EQ(block.CellsPerPixelY, 0.078125);
    EXPECT_EQ(access.GetScreenWidth(), 32.0);
    EXPECT_EQ(access.GetScreenHeight(), 24.0);

    access.SetScreenSize(0, 24);
    EXPECT_EQ(block.MetresPerPixelX, 0.0);
    EXPECT_FALSE(access.HasScreenSize());
    access.SetScreenSize(-5, 24); // stored unchecked
    EXPECT_EQ(block.ScreenWidthMm, -50.0);
}

TEST_F(BlockAccessTest, AutoSizeComesFromTheDisplay) {
    test::FakeDisplay::widthMm = 375;
    test::FakeDisplay::heightMm = 300;
    access.SetScreenSizeAuto();
    EXPECT_EQ(access.GetScreenWidth(), 37.5);
    EXPECT_EQ(access.GetScreenHeight(), 30.0);
    EXPECT_TRUE(access.HasScreenSize());

    // Without a device context the sizes become 0 and the factors stay.
    const double cells = block.CellsPerPixelX;
    test::FakeDisplay::present = false;
    access.SetScreenSizeAuto();
    EXPECT_EQ(access.GetScreenWidth(), 0.0);
    EXPECT_EQ(block.CellsPerPixelX, cells);
    EXPECT_EQ(block.MetresPerPixelX, static_cast<double>(375 / 1024.0L * 0.001));
}

TEST_F(BlockAccessTest, ResolutionChangeMovesTheGridFactorsOnly) {
    access.SetScreenSize(32, 24);
    test::FakeDisplay::pixelsX = 800;
    test::FakeDisplay::pixelsY = 600;
    access.UpdateScreenParameters();
    EXPECT_EQ(block.CellsPerPixelX, 0.1);
    EXPECT_EQ(block.CellsPerPixelY, 0.1);
    EXPECT_EQ(block.MetresPerPixelX, 0.0004);
    EXPECT_EQ(access.GetScreenWidth(), 32.0);

    // A display that reports no pixels keeps the factors rather than making them infinite.
    test::FakeDisplay::pixelsX = 0;
    access.UpdateScreenParameters();
    EXPECT_EQ(block.CellsPerPixelX, 0.1);
}

TEST_F(BlockAccessTest, CountersWrapAsUnsigned32Bit) {
    access.SetMouseClicksLeft(4294967295u);
    EXPECT_EQ(access.GetMouseClicksLeft(), 4294967295u);
    access.SetHookCount(4294967295u);
    access.AddHookCall();
    EXPECT_EQ(access.GetHookCount(), 0u);
}

TEST_F(BlockAccessTest, ExportsLeaveTheGuardFree) {
    access.SetScreenSize(1, 1);
    access.SetScreenSizeAuto();
    int a, b;
    access.GetMinMaxPixelFrequency(a, b);
    access.SetPreviousHandle(&a);
    EXPECT_EQ(access.GetPreviousHandle(), &a);
    EXPECT_EQ(block.Guard, 0u);
}

} // namespace
} // namespace kurvix
