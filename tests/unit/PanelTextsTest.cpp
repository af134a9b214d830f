// The panels' fifteen texts from the library's totals and the Track bases: each label's figure
// in its place, Track differences below zero and across the 2^32 wrap, the 18 reads of one
// refresh, and a Clear that zeroes every Track figure.
#include "PanelTexts.h"

#include <gtest/gtest.h>

namespace kurvix {
namespace {

struct Totals {
    long double distance = 0, pixels = 0;
    uint32_t left = 0, right = 0, middle = 0, wheel = 0;
    int reads = 0;
};
Totals g;

const TotalsSource kSource{[] { return ++g.reads, g.distance; }, [] { return ++g.reads, g.pixels; },
                           [] { return ++g.reads, g.left; },     [] { return ++g.reads, g.right; },
                           [] { return ++g.reads, g.middle; },   [] { return ++g.reads, g.wheel; }};

TEST(PanelTextsTest, EveryFigureInItsLabelWithTrackDifferences) {
    g = {1234.56789L, 1234567.9L, 4000000000u, 294967297u, 7, 12};
    // Bases above the totals: metres and pixels go negative, counts wrap modulo 2^32.
    const TrackBases track{1234568.9L, 1235.0L, 3999999999u, 294967298u, 0, 4294967295u};
    const PanelTextArray t = MakePanelTexts(kSource, track, 93784, {".", ","});
    const PanelTextArray want = {"1.234,5679",  "1.234.567",  "4.000.000.000",
                                 "294.967.297", "7",          "8",
                                 "12",          "1.02:03:04", "-0,4321",
                                 "-1",          "1",          "4.294.967.295",
                                 "7",           "13",         "7"};
    for (int i = 0; i < kPanelLabelCount; ++i)
        EXPECT_EQ(t[i], want[i]) << "label " << i;
    EXPECT_EQ(g.reads, 18);
}

TEST(PanelTextsTest, AClearZeroesEveryTrackFigure) {
    g = {42.5L, 99999.0L, 5, 6, 7, 8};
    const TrackBases track = ReadTrackBases(kSource);
    const PanelTextArray t = MakePanelTexts(kSource, track, 0, {",", "."});
    EXPECT_EQ(t[kGClicks], "18");
    EXPECT_EQ(t[kGTime], "0.00:00:00");
    for (int i = kTDist; i < kPanelLabelCount; ++i)
        EXPECT_EQ(t[i], i == kTDist ? "0.0000" : "0") << "label " << i;
}

} // namespace
} // namespace kurvix
