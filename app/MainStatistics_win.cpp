// The main window's statistics: the statistics file at start and at each save, the panels'
// figures, the Clear button, the click distribution image and its legend, and the registry
// values written after each save.
#include "Main_win.h"

#include "Application_win.h"
#include "DateTime.h"
#include "DistributionImage.h"
#include "KurvixHook.h"
#include "Locale_win.h"
#include "PanelTexts.h"
#include "Settings_win.h"
#include "StatsStore_win.h"
#include "TimeOn.h"

#include <windows.h>

namespace kurvix {

namespace {

const TotalsSource kHookTotals{GetDistance,          GetPixels,
                               GetMouseClicksLeft,   GetMouseClicksRight,
                               GetMouseClicksMiddle, GetMouseWheelTicks};

const FrequencySource kHookGrid{GetPixelFrequencyWidth, GetPixelFrequencyHeight,
                                GetMinMaxPixelFrequency, GetPixelFrequency};

// The current local date and time as a TDateTime.
double Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return ToDateTime({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
}

void SetTextIfChanged(ui::Label& label, const std::string& text) {
    if (label.Text() != text)
        label.SetText(text);
}

// The stored grid into the library, cell by cell, row after row. A failure on the way sets
// every cell to 0 and goes no further.
void ReadFrequencyGrid(const std::vector<uint32_t>& grid, int width, int height) {
    try {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixelFrequency(x, y, grid.at(static_cast<size_t>(y) * width + x));
    } catch (...) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixelFrequency(x, y, 0);
    }
}

// The library's grid as the file keeps it: cell (x, y) at y * width + x.
std::vector<uint32_t> WriteFrequencyGrid(int width, int height) {
    std::vector<uint32_t> grid(static_cast<size_t>(width > 0 ? width : 0) *
                               static_cast<size_t>(height > 0 ? height : 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grid[static_cast<size_t>(y) * width + x] = GetPixelFrequency(x, y);
    return grid;
}

} // namespace

const FrequencySource& HookFrequencySource() { return kHookGrid; }

void TMainFM::LoadStatistics() {
    FreqWidth = GetPixelFrequencyWidth();
    FreqHeight = GetPixelFrequencyHeight();
    const ui::NumberFormatSettings format = ui::UserNumberFormat();
    separators_ = {format.Thousands, format.Decimal};

    StatsRecord record;
    if (auto contents = LoadStatsFile(GetStatsFileName(), FreqWidth, FreqHeight)) {
        ReadFrequencyGrid(contents->Grid, FreqWidth, FreqHeight);
        record = contents->Record;
    } else {
        // A run without a valid file: a fresh start, the grid left as the library holds it.
        record =
            DefaultStatsRecord({ui::ScreenWidth(), ui::ScreenHeight(), Width(), Height(), Now()});
    }
    ApplyStatsRecord(record);

    if (UseStoredScreenSize(record.ScreenWidth, record.ScreenHeight)) {
        SetScreenSize(record.ScreenWidth, record.ScreenHeight);
        ScreenSizeDetected = false;
    } else {
        SetScreenSizeAuto();
        ScreenSizeDetected = true;
    }

    FrequencyIM.Picture().SetSize(FreqWidth, FreqHeight);
    DrawLegend();
}

void TMainFM::ApplyStatsRecord(const StatsRecord& r) {
    SetPosition(r.Left, r.Top);
    SetPixels(r.Pixels);
    SetDistance(r.Distance);
    SetMouseClicksLeft(r.ClicksLeft);
    SetMouseClicksRight(r.ClicksRight);
    SetMouseClicksMiddle(r.ClicksMiddle);
    SetMouseWheelTicks(r.WheelTicks);
    SetTrackBases({r.TrackPixels, r.TrackDistance, r.TrackClicksLeft, r.TrackClicksRight,
                   r.TrackClicksMiddle, r.TrackWheelTicks});
    StartMinimized = r.StartMinimized;
    StartMinimizedCB.SetChecked(StartMinimized);
    AutoSave = r.AutoSave;
    AutoSaveInterval = r.AutoSaveInterval;
    AutoSaveTM.SetInterval(AutoSaveInterval);
    AutoSaveTM.SetEnabled(AutoSave);
    TimeOn = r.TimeOn;
    StartDate = r.StartDate;
    StartDateCopy = r.StartDateCopy;
}

StatsRecord TMainFM::CollectStatsRecord() {
    StatsRecord r;
    r.Left = Left();
    r.Top = Top();
    r.ScreenWidth = GetScreenWidth();
    r.ScreenHeight = GetScreenHeight();
    r.Pixels = GetPixels();
    r.Distance = GetDistance();
    r.ClicksLeft = GetMouseClicksLeft();
    r.ClicksRight = GetMouseClicksRight();
    r.ClicksMiddle = GetMouseClicksMiddle();
    r.WheelTicks = GetMouseWheelTicks();
    r.TrackPixels = TrackPixels;
    r.TrackDistance = TrackDistance;
    r.TrackClicksLeft = TrackClicksLeft;
    r.TrackClicksRight = TrackClicksRight;
    r.TrackClicksMiddle = TrackClicksMiddle;
    r.TrackWheelTicks = TrackWheelTicks;
    r.StartMinimized = StartMinimized;
    r.AutoSave = AutoSave;
    r.AutoSaveInterval = AutoSaveInterval;
    // The time on grows by the whole seconds since the last save, whether or not the file can
    // be written.
    AccumulateTimeOn(TimeOn, TimeOnTick, ui::TickCount());
    r.TimeOn = TimeOn;
    r.StartDate = StartDate;
    r.StartDateCopy = StartDateCopy;
    r.SaveMoment = Now();
    return r;
}

void TMainFM::SaveStatistics() {
    const StatsRecord record = CollectStatsRecord();
    const std::vector<uint32_t> grid = WriteFrequencyGrid(FreqWidth, FreqHeight);
    // The new file is written completely beside the old one and then takes its place, so the
    // old statistics survive any failure on the way.
    const SaveStatus status = SaveStatsFile(GetStatsFileName(), record, grid.data(), grid.size());
    if (saveFailureNotice_.ShouldTell(!status.Ok()))
        ui::App().ShowMessage(SaveFailureMessage(status), "Kurvix",
                              ui::kMessageIconError | ui::kMessageOk);
    WriteSettings(StartMinimized);
}

void TMainFM::UpdateStatisticsText() {
    ui::Label* const labels[kPanelLabelCount] = {
        &GDistLB,   &GPixLB,        &GLeftLB,   &GRightLB,      &GMiddleLB,
        &GClicksLB, &GWheelTicksLB, &GTimeLB,   &TDistLB,       &TPixLB,
        &TLeftLB,   &TRightLB,      &TMiddleLB, &TWheelTicksLB, &TClicksLB};
    try {
        const uint32_t seconds = CurrentTimeOn(TimeOn, TimeOnTick, ui::TickCount());
        const PanelTextArray texts =
            MakePanelTexts(kHookTotals, CurrentTrackBases(), seconds, separators_);
        for (int i = 0; i < kPanelLabelCount; ++i)
            SetTextIfChanged(*labels[i], texts[i]);
    } catch (...) {
        // a refresh that fails leaves the labels as they were
    }
}

void TMainFM::UpdateFrequencyImage() {
    FreqMapper.UpdateColors();
    ui::Bitmap& bitmap = FrequencyIM.Picture();
    FillDistributionRows(FreqMapper, bitmap.Width(), bitmap.Height(),
                         [&bitmap](int row) { return bitmap.ScanLine(row); });
    FrequencyIM.Invalidate();
}

void TMainFM::DrawLegend() {
    ui::Bitmap& bitmap = LegendIM.Picture();
    bitmap.SetSize(1, FreqHeight);
    FillLegendRows(FreqMapper, bitmap.Height(),
                   [&bitmap](int row) { return bitmap.ScanLine(row); });
    LegendIM.Invalidate();
}

void TMainFM::ClearTrackBTClick() { SetTrackBases(ReadTrackBases(kHookTotals)); }

TrackBases TMainFM::CurrentTrackBases() const {
    return {TrackPixels,      TrackDistance,     TrackClicksLeft,
            TrackClicksRight, TrackClicksMiddle, TrackWheelTicks};
}

void TMainFM::SetTrackBases(const TrackBases& bases) {
    TrackPixels = bases.Pixels;
    TrackDistance = bases.Distance;
    TrackClicksLeft = bases.ClicksLeft;
    TrackClicksRight = bases.ClicksRight;
    TrackClicksMiddle = bases.ClicksMiddle;
    TrackWheelTicks = bases.WheelTicks;
}

bool TMainFM::IsAutoRun() { return ::kurvix::IsAutoRun(); }

void TMainFM::SetAutoRun(bool on) { ::kurvix::SetAutoRun(on, ui::App().ExeName()); }

} // namespace kurvix
