// The panels' figure texts: metres, pixels, counts and time on, with the user's separators,
// Track differences below zero and across the 32-bit wrap.
#include "Figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kurvix {
namespace {

const NumberSeparators kEnglish{",", "."};

TEST(FiguresTest, Metres) {
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {1234.56789L, "1,234.5679"},
        {0.0L, "0.0000"},
        {-1234.56789L, "-1,234.5679"},
        {0.00005L, "0.0001"}, // half rounds up
        {0.000049L, "0.0000"},
        {-0.00004L, "0.0000"}, // no sign on a zero figure
        {-0.0L, "0.0000"},
        {999.99995L, "1,000.0000"}, // the carry runs into a new group
        {999999.99999L, "1,000,000.0000"},
        {12.3L, "12.3000"},
        {123456.0L, "123,456.0000"},
        {1234567890123.45678L, "1,234,567,890,123.4568"},
        // 18 significant digits, the rest zeros.
        {123456789012345678901.0L, "123,456,789,012,345,679,000.0000"},
        {1e-300L, "0.0000"},
        {std::numeric_limits<long double>::infinity(), "INF"},
        {-std::numeric_limits<long double>::infinity(), "-INF"},
        {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatMetres(c.value, kEnglish), c.text) << static_cast<double>(c.value);
}

TEST(FiguresTest, SeparatorsAreTheCallers) {
    EXPECT_EQ(FormatMetres(1234567.89L, {".", ","}), "1.234.567,8900");
    EXPECT_EQ(FormatMetres(1234567.89L, {"", "."}), "1234567.8900");
    EXPECT_EQ(FormatMetres(1234567.89L, {"\xC2\xA0", ","}), "1\xC2\xA0"
                                                            "234\xC2\xA0"
                                                            "567,8900");
    EXPECT_EQ(FormatPixels(-9876543.0L, {"'", "."}), "-9'876'543");
    EXPECT_EQ(FormatCount(4294967295u, {" ", ","}), "4 294 967 295");
}

TEST(FiguresTest, PixelsAreWholeNumbersOfAnySize) {
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {0.0L, "0"},
        {1234567.9L, "1,234,567"}, // truncated, not rounded
        {-1234567.9L, "-1,234,567"},
        {-0.5L, "0"},
        {999.999L, "999"},
        {1000.0L, "1,000"},
        {4294967296.0L * 2, "8,589,934,592"},
        {1e18L, "1,000,000,000,000,000,000"},
        {18446744073709551616.0L, "18,446,744,073,709,551,600"}, // 2^64 to 18 digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPixels(c.value, kEnglish), c.text) << static_cast<double>(c.value);
}

TEST(FiguresTest, Counts) {
    const struct {
        uint32_t value;
        const char* text;
    } cases[] = {{0, "0"},
                 {999, "999"},
                 {1000, "1,000"},
                 {1234567, "1,234,567"},
                 {100000, "100,000"},
                 {4294967295u, "4,294,967,295"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatCount(c.value, kEnglish), c.text);
}

TEST(FiguresTest, TimeOn) {
    const struct {
        uint32_t seconds;
        const char* text;
    } cases[] = {{0, "0.00:00:00"},
                 {59, "0.00:00:59"},
                 {3600, "0.01:00:00"},
                 {93784, "1.02:03:04"},
                 {86399, "0.23:59:59"},
                 {8640000, "100.00:00:00"},
                 {4294967295u, "49710.06:28:15"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatTimeOn(c.seconds), c.text);
}

TEST(FiguresTest, TrackFiguresBelowTheirBaseAreNegative) {
    EXPECT_EQ(FormatMetres(TrackDifference(5.5L, 10.25L), kEnglish), "-4.7500");
    EXPECT_EQ(FormatPixels(TrackDifference(100.0L, 250.5L), kEnglish), "-150");
    EXPECT_EQ(FormatMetres(TrackDifference(12.3456L, 12.3456L), kEnglish), "0.0000");
    // Counts give the difference modulo 2^32, right across a wrap of the total.
    EXPECT_EQ(TrackDifference(5u, 4294967290u), 11u);
    EXPECT_EQ(FormatCount(TrackDifference(10u, 20u), kEnglish), "4,294,967,286");
}

TEST(FiguresTest, TrackDifferenceKeepsAllSixtyFourBits) {
    // A difference that needs 62 significant bits, computed while the caller's x87 unit is set
    // to 53-bit precision (the Windows default): it must not round to 1.
    const long double total = 1.0L + std::ldexp(1.0L, -60);
    const long double base = std::ldexp(1.0L, -61);
    unsigned short saved;
    __asm__ volatile("fnstcw %0" : "=m"(saved));
    const unsigned short doublePrecision = 0x027F;
    __asm__ volatile("fldcw %0" : : "m"(doublePrecision));
    const long double difference = TrackDifference(total, base);
    unsigned short after;
    __asm__ volatile("fnstcw %0" : "=m"(after));
    __asm__ volatile("fldcw %0" : : "m"(saved));
    EXPECT_TRUE(difference == 1.0L + std::ldexp(1.0L, -61));
    EXPECT_EQ(after, doublePrecision); // the caller's setting is restored
}

} // namespace
} // namespace kurvix
