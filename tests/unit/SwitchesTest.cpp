// The command line: splitting into parameters, the minimize switches, the autorun command.
#include "Switches.h"

#include <gtest/gtest.h>

namespace kurvix {
namespace {

using Params = std::vector<std::string>;

TEST(SwitchesTest, MinimizeSwitchesAreMatchedWholeAndWithoutCase) {
    const struct {
        const char* param;
        bool minimized;
    } cases[] = {
        {"/MINIMIZED", true}, {"-Min", true}, {"-autorun", true},
        {"/m", true},         {"-M", true},   {"/minimize", true},
        {"/AutoRun", true},   {"m", false},   {"--m", false},
        {"/minimise", false}, {"", false},    {"-", false},
        {"/", false},         {"/mi", false}, {"/minimizedx", false},
        {"/ m", false},       {"\\m", false}, {"-autorun ", false},
        {"+m", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasMinimizeSwitch({c.param}), c.minimized) << '"' << c.param << '"';
}

TEST(SwitchesTest, AnyParameterMayCarryTheSwitch) {
    EXPECT_FALSE(HasMinimizeSwitch({}));
    EXPECT_TRUE(HasMinimizeSwitch({"x", "--m", "/min"}));
    EXPECT_FALSE(HasMinimizeSwitch({"x", "--m", "minimized"}));
}

TEST(SwitchesTest, CommandLineSplitsAtSpacesAndQuotesGroup) {
    const struct {
        const char* line;
        Params params;
    } cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"Kurvix.exe", {"Kurvix.exe"}},
        {"Kurvix.exe  /m\t-x", {"Kurvix.exe", "/m", "-x"}},
        {"\"C:\\Program Files\\Kurvix.exe\" /autorun",
         {"C:\\Program Files\\Kurvix.exe", "/autorun"}},
        {"C:\\Program Files\\Kurvix.exe /autorun",
         {"C:\\Program", "Files\\Kurvix.exe", "/autorun"}},
        {"a \"C:\\dir\\\" b", {"a", "C:\\dir\\", "b"}}, // backslash is no escape
        {"a/\"x y\"z", {"a/x yz"}},
        {"a \"\" b", {"a", "b"}},
        {"a \"unterminated b", {"a", "unterminated b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.params) << c.line;
}

TEST(SwitchesTest, AutoRunCommandQuotesOnlyAPathWithSpaces) {
    EXPECT_EQ(AutoRunCommand("C:\\Kurvix\\Kurvix.exe"), "C:\\Kurvix\\Kurvix.exe /autorun");
    EXPECT_EQ(AutoRunCommand("C:\\Program Files\\Kurvix\\Kurvix.exe"),
              "\"C:\\Program Files\\Kurvix\\Kurvix.exe\" /autorun");
    // What the system passes back is a minimized start whose first parameter is the path.
    const Params params = SplitCommandLine(AutoRunCommand("C:\\Program Files\\K.exe"));
    EXPECT_EQ(params.front(), "C:\\Program Files\\K.exe");
    EXPECT_TRUE(HasMinimizeSwitch(Params(params.begin() + 1, params.end())));
}

} // namespace
} // namespace kurvix
