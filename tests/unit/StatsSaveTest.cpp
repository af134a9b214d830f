// The statistics file's name beside the executable, and the once-per-run notice of a save that
// failed.
#include "FailureNotice.h"
#include "StatsFileName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kurvix {
namespace {

TEST(StatsFileName, ReplacesTheExtensionOfTheLastComponentOnly) {
    const struct {
        const char* exe;
        const char* dat;
    } cases[] = {
        {"C:\\Program Files\\Kurvix\\Kurvix.exe", "C:\\Program Files\\Kurvix\\Kurvix.dat"},
        {"C:\\Tools v1.2\\Kurvix", "C:\\Tools v1.2\\Kurvix.dat"},
        {"C:\\a.b\\c.d\\my app.v2.exe", "C:\\a.b\\c.d\\my app.v2.dat"},
        {"D:/mixed.dir/Kurvix.EXE", "D:/mixed.dir/Kurvix.dat"},
        {"C:\\dir\\Kurvix.", "C:\\dir\\Kurvix.dat"},
        {"C:Kurvix.exe", "C:Kurvix.dat"},
        {"Kurvix.exe", "Kurvix.dat"},
        {"Kurvix", "Kurvix.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatsFileNameFor(c.exe), c.dat) << c.exe;
}

TEST(FailureNotice, TellsOnlyAtTheFirstFailureOfTheRun) {
    // Outcomes of successive saves (true = failed) and whether the user is told after each.
    const std::vector<bool> failed = {false, false, true, true, false, true, false};
    const std::vector<bool> tell = {false, false, true, false, false, false, false};
    FailureNotice notice;
    for (size_t i = 0; i < failed.size(); ++i) {
        EXPECT_EQ(notice.ShouldTell(failed[i]), tell[i]) << "save " << i;
        EXPECT_EQ(notice.Told(), i >= 2) << "save " << i;
    }
}

} // namespace
} // namespace kurvix
