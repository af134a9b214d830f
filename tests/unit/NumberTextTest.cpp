// Numbers to text and back with the user's decimal separator.
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace kurvix {
namespace {

TEST(FloatToTextTest, GeneralFormatWithFifteenSignificantDigits) {
    struct Case {
        double value;
        const char* text;
    } const cases[] = {
        {32, "32"},
        {28.5, "28.5"},
        {21.4, "21.4"},
        {285 / 10.0, "28.5"},
        {0.6 * 2.45 * 14, "20.58"}, // 20.580000000000002
        {33.32, "33.32"},
        {0, "0"},
        {-10, "-10"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345, "123456789012345"},      // 15 digits before the separator: fixed
        {1234567890123456, "1.23456789012346E15"}, // 16: scientific
        {1e20, "1E20"},
        {0.00001, "0.00001"},
        {0.0000123, "0.0000123"},
        {0.000009, "9E-6"},
        {-1.5e-7, "-1.5E-7"},
        {DBL_MAX, "1.79769313486232E308"},
        {999999999999999.9, "1E15"}, // rounds up to 16 digits before the separator
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToText(c.value, '.'), c.text) << c.text;
}

TEST(FloatToTextTest, WritesTheGivenDecimalSeparator) {
    EXPECT_EQ(FloatToText(28.5, ','), "28,5");
    EXPECT_EQ(FloatToText(0.00001, ','), "0,00001");
    EXPECT_EQ(FloatToText(-2.5e-9, ','), "-2,5E-9");
    EXPECT_EQ(FloatToText(32, ','), "32");
}

TEST(TextToFloatTest, AcceptsTheNumberGrammar) {
    struct Case {
        const char* text;
        double value;
    } const cases[] = {
        {"12.5", 12.5},
        {"  12.5  ", 12.5},
        {"+12.5", 12.5},
        {"-10", -10},
        {"0", 0},
        {"5.", 5},
        {".5", 0.5},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"-2.5e-2", -0.025},
        {"007", 7},
        {"33.32", 33.32},
        {"1.7976931348623157e308", DBL_MAX},
        {"1e-400", 0},
        {"0.0001e-320", 0},
    };
    for (const auto& c : cases) {
        const auto value = TextToFloat(c.text, '.');
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(*value, c.value) << c.text;
    }
    EXPECT_TRUE(std::signbit(*TextToFloat("-1e-999", '.')));
}

TEST(TextToFloatTest, RejectsOtherTextAndNumbersTooLargeForADouble) {
    for (const char* text : {"",         " ",
                             "12,5",     "1.2.3",
                             "1 000",    "1,000.5",
                             "- 5",      "+-5",
                             ".",        "-",
                             "e5",       "1e",
                             "1e+",      "1e5.5",
                             "12a",      "0x10",
                             "inf",      "nan",
                             "INF",      "1\t",
                             "1e400",    "-1e400",
                             "1.8e308",  "1000000000e300",
                             "0.01e311", "1e99999999999999999999"})
        EXPECT_FALSE(TextToFloat(text, '.').has_value()) << '"' << text << '"';
}

TEST(TextToFloatTest, ReadsTheGivenDecimalSeparatorOnly) {
    EXPECT_EQ(TextToFloat("12,5", ','), 12.5);
    EXPECT_EQ(TextToFloat("-1,5E2", ','), -150.0);
    EXPECT_FALSE(TextToFloat("12.5", ',').has_value());
    EXPECT_FALSE(TextToFloat("1,2,3", ',').has_value());
}

TEST(TextToFloatTest, EveryShownNumberReadsBackAsTheSameText) {
    for (double value : {27.44, 20.58, 1e-7, 123456789012345.0, -0.00001, 1e300}) {
        for (char separator : {'.', ','}) {
            const std::string text = FloatToText(value, separator);
            const auto read = TextToFloat(text, separator);
            ASSERT_TRUE(read.has_value()) << text;
            EXPECT_EQ(FloatToText(*read, separator), text);
        }
    }
}

} // namespace
} // namespace kurvix
