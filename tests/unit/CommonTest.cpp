// FormatString: printf conventions, the 2047-character cut and the empty format.
#include "Common.h"

#include <gtest/gtest.h>

#include <string>

namespace kurvix {
namespace {

TEST(FormatStringTest, FollowsPrintfConventions) {
    EXPECT_EQ(FormatString("%d.%02d:%02d:%02d", 1, 2, 3, 4), "1.02:03:04");
    EXPECT_EQ(FormatString("%s %u %x %5.2f|%-3c|", "v", 4294967295u, 255u, 3.14159, 'k'),
              "v 4294967295 ff  3.14|k  |");
    EXPECT_EQ(FormatString("100%%"), "100%");
    EXPECT_EQ(FormatString("%lld", -9223372036854775807LL - 1), "-9223372036854775808");
}

TEST(FormatStringTest, EmptyFormatGivesEmptyText) {
    const char* empty = "";
    EXPECT_EQ(FormatString(empty), "");
    const char* none = nullptr;
    EXPECT_EQ(FormatString(none), "");
}

TEST(FormatStringTest, CutsAfter2047Characters) {
    const std::string exact(2047, 'a');
    EXPECT_EQ(FormatString("%s", exact.c_str()), exact);

    const std::string longer(5000, 'b');
    const std::string cut = FormatString("x%sy", longer.c_str());
    ASSERT_EQ(cut.size(), 2047u);
    EXPECT_EQ(cut, "x" + std::string(2046, 'b'));
}

} // namespace
} // namespace kurvix
