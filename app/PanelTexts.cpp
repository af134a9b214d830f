#include "PanelTexts.h"

namespace kurvix {

namespace {

uint32_t ClickSum(const TotalsSource& t) {
    return t.clicksLeft() + t.clicksRight() + t.clicksMiddle();
}

} // namespace

PanelTextArray MakePanelTexts(const TotalsSource& totals, const TrackBases& track,
                              uint32_t timeOnSeconds, const NumberSeparators& separators) {
    PanelTextArray texts;
    texts[kGDist] = FormatMetres(totals.distance(), separators);
    texts[kGPix] = FormatPixels(totals.pixels(), separators);
    texts[kGLeft] = FormatCount(totals.clicksLeft(), separators);
    texts[kGRight] = FormatCount(totals.clicksRight(), separators);
    texts[kGMiddle] = FormatCount(totals.clicksMiddle(), separators);
    texts[kGClicks] = FormatCount(ClickSum(totals), separators);
    texts[kGWheelTicks] = FormatCount(totals.wheelTicks(), separators);
    texts[kGTime] = FormatTimeOn(timeOnSeconds);
    texts[kTDist] = FormatMetres(TrackDifference(totals.distance(), track.Distance), separators);
    texts[kTPix] = FormatPixels(TrackDifference(totals.pixels(), track.Pixels), separators);
    texts[kTLeft] = FormatCount(totals.clicksLeft() - track.ClicksLeft, separators);
    texts[kTRight] = FormatCount(totals.clicksRight() - track.ClicksRight, separators);
    texts[kTMiddle] = FormatCount(totals.clicksMiddle() - track.ClicksMiddle, separators);
    texts[kTWheelTicks] = FormatCount(totals.wheelTicks() - track.WheelTicks, separators);
    texts[kTClicks] = FormatCount(
        ClickSum(totals) - track.ClicksLeft - track.ClicksRight - track.ClicksMiddle, separators);
    return texts;
}

TrackBases ReadTrackBases(const TotalsSource& totals) {
    TrackBases bases;
    bases.Pixels = totals.pixels();
    bases.Distance = totals.distance();
    bases.ClicksLeft = totals.clicksLeft();
    bases.ClicksRight = totals.clicksRight();
    bases.ClicksMiddle = totals.clicksMiddle();
    bases.WheelTicks = totals.wheelTicks();
    return bases;
}

} // namespace kurvix
