// Time-on accumulation across saves and tick wraps, and local dates as TDateTime.
#include "DateTime.h"
#include "TimeOn.h"

#include <gtest/gtest.h>

namespace kurvix {
namespace {

TEST(TimeOnTest, SavesAddWholeSecondsAndDropTheRest) {
    uint32_t timeOn = 10, tick = 1000;
    AccumulateTimeOn(timeOn, tick, 2500); // 1500 ms
    EXPECT_EQ(timeOn, 11u);
    EXPECT_EQ(tick, 2500u);
    AccumulateTimeOn(timeOn, tick, 4000); // 1500 ms more: the dropped 500 ms stay dropped
    EXPECT_EQ(timeOn, 12u);
    AccumulateTimeOn(timeOn, tick, 4000 + 60999);
    EXPECT_EQ(timeOn, 72u);
}

TEST(TimeOnTest, TickWrapIsHarmless) {
    uint32_t timeOn = 0, tick = 0xFFFFF000u;
    EXPECT_EQ(CurrentTimeOn(timeOn, tick, 0x00001000u), 8u); // 8192 ms across the wrap
    AccumulateTimeOn(timeOn, tick, 0x00001000u);
    EXPECT_EQ(timeOn, 8u);
    EXPECT_EQ(tick, 0x1000u);
    // Shown time on: stored seconds plus the running part, nothing stored.
    EXPECT_EQ(CurrentTimeOn(100, 0xFFFFFFFFu, 999), 101u);
}

TEST(DateTimeTest, DaysSinceThe30thOfDecember1899) {
    const struct {
        CivilTime time;
        double value;
    } cases[] = {
        {{1899, 12, 30, 0, 0, 0, 0}, 0.0},
        {{1899, 12, 31, 12, 0, 0, 0}, 1.5},
        {{1900, 1, 1, 0, 0, 0, 0}, 2.0},
        {{1900, 3, 1, 0, 0, 0, 0}, 61.0}, // 1900 has no 29 February
        {{2000, 1, 1, 0, 0, 0, 0}, 36526.0},
        {{2026, 12, 11, 11, 37, 12, 500}, 46367.0 + 41832500 / 86400000.0},
        {{1899, 12, 29, 6, 0, 0, 0}, -1.25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToDateTime(c.time), c.value) << c.time.Year << "-" << c.time.Month;
}

} // namespace
} // namespace kurvix
