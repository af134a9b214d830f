// The fifteen figures of the statistics panels as texts, read from the library one call per
// figure in the panels' order: the Total column (metres, pixels, left, right, middle, clicks,
// wheel ticks, time on), then the Track column (metres, pixels, left, right, middle, wheel
// ticks, clicks). Track figures are the totals minus their bases at the last Clear.
#pragma once

#include "Figures.h"

#include <array>
#include <cstdint>
#include <string>

namespace kurvix {

// The library's totals: in the program the exports of the same names.
struct TotalsSource {
    long double (*distance)();
    long double (*pixels)();
    uint32_t (*clicksLeft)();
    uint32_t (*clicksRight)();
    uint32_t (*clicksMiddle)();
    uint32_t (*wheelTicks)();
};

// The totals as they were at the last Clear.
struct TrackBases {
    long double Pixels = 0;
    long double Distance = 0;
    uint32_t ClicksLeft = 0;
    uint32_t ClicksRight = 0;
    uint32_t ClicksMiddle = 0;
    uint32_t WheelTicks = 0;
};

// The labels, in the order the texts are made.
enum PanelLabel {
    kGDist,
    kGPix,
    kGLeft,
    kGRight,
    kGMiddle,
    kGClicks,
    kGWheelTicks,
    kGTime,
    kTDist,
    kTPix,
    kTLeft,
    kTRight,
    kTMiddle,
    kTWheelTicks,
    kTClicks,
    kPanelLabelCount
};
using PanelTextArray = std::array<std::string, kPanelLabelCount>;

// All fifteen texts with 18 library calls: each figure reads its own totals, and "Clicks:" of
// either column adds three fresh reads of the click counts (modulo 2^32).
PanelTextArray MakePanelTexts(const TotalsSource& totals, const TrackBases& track,
                              uint32_t timeOnSeconds, const NumberSeparators& separators);

// The bases a Clear takes: every total read once, pixels first.
TrackBases ReadTrackBases(const TotalsSource& totals);

} // namespace kurvix
