// The statistics file codec against files built from the byte table: every field at its
// offset, extended values bit for bit, the grid row after row, the validity rules, the
// defaults and the screen-size rule.
#include "StatsFile.h"
#include "StatsBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace kurvix {
namespace {

using test::ExtendedHex;
using test::GoldenFile;

std::optional<StatsFileContents> Decode(const std::vector<uint8_t>& bytes) {
    return DecodeStatsFile(bytes.data(), bytes.size(), 80, 60);
}

std::vector<uint8_t> Encode(const StatsFileContents& c) {
    return EncodeStatsFile(c.Record, c.Grid.data(), c.Grid.size());
}

TEST(StatsFileTest, GoldenFileDecodesEveryField) {
    const auto loaded = Decode(GoldenFile());
    ASSERT_TRUE(loaded);
    const StatsRecord& r = loaded->Record;
    EXPECT_EQ(r.ScreenWidth, 33.8);
    EXPECT_EQ(r.ScreenHeight, 27.1);
    EXPECT_TRUE(r.StartMinimized);
    EXPECT_FALSE(r.AutoSave);
    EXPECT_EQ(r.AutoSaveInterval, 123456u);
    EXPECT_EQ(r.StartDate, 45000.25);
    EXPECT_EQ(r.StartDateCopy, 45000.5);
    EXPECT_EQ(r.SaveMoment, 46000.75);
    EXPECT_EQ(r.TimeOn, 3000000000u);
    EXPECT_EQ(r.Left, -20);
    EXPECT_EQ(r.Top, 30000);
    EXPECT_EQ(ExtendedHex(r.Pixels), "4016e9b6a5e51d932112");
    EXPECT_EQ(ExtendedHex(r.Distance), "400afeb39e9394c001a2");
    EXPECT_EQ(r.ClicksLeft, 0x80000001u);
    EXPECT_EQ(r.ClicksRight, 2u);
    EXPECT_EQ(r.ClicksMiddle, 3u);
    EXPECT_EQ(r.WheelTicks, 4000000000u);
    EXPECT_EQ(ExtendedHex(r.TrackPixels), "c00bf000000000000abc");
    EXPECT_EQ(ExtendedHex(r.TrackDistance), "7fff8000000000000001");
    EXPECT_EQ(r.TrackClicksLeft, 11u);
    EXPECT_EQ(r.TrackClicksRight, 0xFFFFFFFFu);
    EXPECT_EQ(r.TrackClicksMiddle, 13u);
    EXPECT_EQ(r.TrackWheelTicks, 14u);
}

TEST(StatsFileTest, GridIsRowAfterRow) {
    const auto loaded = Decode(GoldenFile());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->Grid.size(), 4800u);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(loaded->Grid[y * 80 + x], test::GoldenCell(x, y)) << x << "," << y;
    // Cell (5, 2) lies at 402 + 4 x (2 x 80 + 5).
    StatsFileContents c = *loaded;
    c.Grid[2 * 80 + 5] = 0xFEDCBA98u;
    EXPECT_EQ(test::GetU32(Encode(c), 402 + 4 * (2 * 80 + 5)), 0xFEDCBA98u);
}

TEST(StatsFileTest, GoldenFileEncodesBackByteForByte) {
    const std::vector<uint8_t> golden = GoldenFile();
    const auto loaded = Decode(golden);
    ASSERT_TRUE(loaded);
    const std::vector<uint8_t> again = Encode(*loaded);
    ASSERT_EQ(again.size(), test::kGoldenSize);
    EXPECT_TRUE(again == golden);
}

TEST(StatsFileTest, ExtendedValuesPassBitForBit) {
    const char* const patterns[] = {
        "00000000000000000000", // +0
        "80000000000000000000", // -0
        "3fff8000000000000000", // 1
        "00000000000000000001", // smallest denormal
        "00008000000000000000", // pseudo-denormal
        "40000000000000000001", // unnormal (integer bit clear)
        "7fff8000000000000000", // +infinity
        "ffffc000000000000000", // quiet NaN
        "7fffbfffffffffffffff", // signalling NaN, full payload
        "7ffeffffffffffffffff", // largest finite
    };
    for (const char* hex : patterns) {
        std::vector<uint8_t> file = GoldenFile();
        test::PutExtendedHex(file, 74, hex);
        test::PutExtendedHex(file, 120, hex);
        const auto loaded = Decode(file);
        ASSERT_TRUE(loaded) << hex;
        EXPECT_EQ(ExtendedHex(loaded->Record.Pixels), hex);
        EXPECT_EQ(ExtendedHex(loaded->Record.TrackDistance), hex);
        EXPECT_TRUE(Encode(*loaded) == file) << hex;
    }
}

TEST(StatsFileTest, AnyNonZeroBoolByteIsTrue) {
    std::vector<uint8_t> file = GoldenFile();
    file[32] = 0;
    file[33] = 0x80;
    const auto loaded = Decode(file);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->Record.StartMinimized);
    EXPECT_TRUE(loaded->Record.AutoSave);
    EXPECT_EQ(Encode(*loaded)[33], 1); // written back as 1
}

TEST(StatsFileTest, InvalidFilesMeanDefaults) {
    using Change = std::function<void(std::vector<uint8_t>&)>;
    const struct {
        const char* name;
        Change change;
    } cases[] = {
        {"empty", [](auto& b) { b.clear(); }},
        {"inside the header", [](auto& b) { b.resize(15); }},
        {"header only", [](auto& b) { b.resize(16); }},
        {"ends inside the record", [](auto& b) { b.resize(401); }},
        {"wrong magic", [](auto& b) { test::PutU32(b, 0, 0x19800829); }},
        {"magic byte-swapped", [](auto& b) { test::PutU32(b, 0, 0x28088019); }},
        {"first version 2", [](auto& b) { test::PutU32(b, 4, 2); }},
        {"first version 0", [](auto& b) { test::PutU32(b, 4, 0); }},
        {"second version 6", [](auto& b) { test::PutU32(b, 8, 6); }},
        {"second version 4", [](auto& b) { test::PutU32(b, 8, 4); }},
        {"all zero", [](auto& b) { std::fill(b.begin(), b.end(), 0); }},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> file = GoldenFile();
        c.change(file);
        EXPECT_FALSE(Decode(file)) << c.name;
    }
    EXPECT_FALSE(DecodeStatsFile(nullptr, 0, 80, 60));
}

TEST(StatsFileTest, ReservedHeaderWordAndExtraBytesAreIgnored) {
    std::vector<uint8_t> file = GoldenFile();
    test::PutU32(file, 12, 0xDEADBEEF);
    file.resize(file.size() + 100, 0xAB);
    const auto loaded = Decode(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Record.TimeOn, 3000000000u);
    EXPECT_EQ(loaded->Grid.back(), test::GoldenCell(79, 59));
}

TEST(StatsFileTest, ShortGridLoadsMissingCellsAsZero) {
    for (size_t size :
         {size_t{402}, size_t{403}, size_t{402 + 4 * 10 + 3}, test::kGoldenSize - 1}) {
        std::vector<uint8_t> file = GoldenFile();
        file.resize(size);
        const auto loaded = Decode(file);
        ASSERT_TRUE(loaded) << size;
        ASSERT_EQ(loaded->Grid.size(), 4800u);
        const size_t complete = (size - 402) / 4;
        for (size_t i = 0; i < 4800; ++i)
            ASSERT_EQ(loaded->Grid[i], i < complete ? test::GoldenCell(i % 80, i / 80) : 0u)
                << size << " cell " << i;
    }
}

TEST(StatsFileTest, GridSizeComesFromTheCaller) {
    const std::vector<uint8_t> file = GoldenFile();
    const auto small = DecodeStatsFile(file.data(), file.size(), 3, 2);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->Grid, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
    const auto none = DecodeStatsFile(file.data(), file.size(), -1, 60);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->Grid.empty());
}

TEST(StatsFileTest, EncoderWritesHeaderAndZeroReserved) {
    StatsRecord r;
    r.AutoSaveInterval = 60000;
    const std::vector<uint8_t> bytes = EncodeStatsFile(r, nullptr, 0);
    ASSERT_EQ(bytes.size(), 402u);
    EXPECT_EQ(test::GetU32(bytes, 0), 0x19800828u);
    EXPECT_EQ(test::GetU32(bytes, 4), 1u);
    EXPECT_EQ(test::GetU32(bytes, 8), 5u);
    EXPECT_EQ(test::GetU32(bytes, 12), 0u);
    EXPECT_EQ(test::GetU32(bytes, 34), 60000u);
    for (size_t i = 146; i < 402; ++i)
        ASSERT_EQ(bytes[i], 0) << i;
}

TEST(StatsFileTest, DefaultsCentreTheWindowAndStartAfresh) {
    const StatsRecord r = DefaultStatsRecord({1024, 768, 361, 427, 46367.5});
    EXPECT_EQ(r.Left, 331);
    EXPECT_EQ(r.Top, 170);
    EXPECT_EQ(r.ScreenWidth, -1.0);
    EXPECT_EQ(r.ScreenHeight, -1.0);
    EXPECT_FALSE(r.StartMinimized);
    EXPECT_TRUE(r.AutoSave);
    EXPECT_EQ(r.AutoSaveInterval, 60000u);
    EXPECT_EQ(r.TimeOn, 0u);
    EXPECT_EQ(r.StartDate, 46367.5);
    EXPECT_EQ(r.StartDateCopy, 46367.5);
    EXPECT_EQ(r.Pixels, 0.0L);
    EXPECT_EQ(r.Distance, 0.0L);
    EXPECT_EQ(r.TrackPixels, 0.0L);
    EXPECT_EQ(r.ClicksLeft + r.ClicksRight + r.ClicksMiddle + r.WheelTicks, 0u);
    EXPECT_EQ(r.TrackClicksLeft + r.TrackClicksRight + r.TrackClicksMiddle + r.TrackWheelTicks, 0u);

    // A screen narrower than the window: the division truncates toward zero.
    const StatsRecord off = DefaultStatsRecord({300, 200, 361, 427, 0});
    EXPECT_EQ(off.Left, -30);
    EXPECT_EQ(off.Top, -113);
}

TEST(StatsFileTest, StoredScreenSizeOnlyWhenBothArePositive) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double w, h;
        bool stored;
    } cases[] = {{33.8, 27.1, true}, {0, 27.1, false},   {33.8, 0, false},      {-1, -1, false},
                 {nan, 27.1, false}, {33.8, nan, false}, {1e-300, 1e-300, true}};
    for (const auto& c : cases)
        EXPECT_EQ(UseStoredScreenSize(c.w, c.h), c.stored) << c.w << " x " << c.h;
}

} // namespace
} // namespace kurvix
