// The main window's statistics and registry call sites. The statistics file, the panels'
// figures and the distribution image are wired in here by their own units; until then the
// window starts from the defaults of a run without a statistics file and shows the panels'
// initial texts.
#include "Main_win.h"

#include "Application_win.h"
#include "KurvixHook.h"
#include "Settings_win.h"

namespace kurvix {

void TMainFM::LoadStatistics() {
    FreqWidth = GetPixelFrequencyWidth();
    FreqHeight = GetPixelFrequencyHeight();
    SetPosition((ui::ScreenWidth() - Width()) / 2, (ui::ScreenHeight() - Height()) / 2);
    StartMinimized = false;
    StartMinimizedCB.SetChecked(false);
    AutoSave = true;
    AutoSaveInterval = 60000;
    AutoSaveTM.SetInterval(AutoSaveInterval);
    AutoSaveTM.SetEnabled(AutoSave);
    FrequencyIM.Picture().SetSize(FreqWidth, FreqHeight);
    DrawLegend();
}

void TMainFM::SaveStatistics() {
    // The statistics file is written first; the registry values come last.
    WriteSettings(StartMinimized);
}

void TMainFM::UpdateStatisticsText() {}

void TMainFM::UpdateFrequencyImage() { FrequencyIM.Invalidate(); }

void TMainFM::DrawLegend() { LegendIM.Invalidate(); }

void TMainFM::ClearTrackBTClick() {}

bool TMainFM::IsAutoRun() { return ::kurvix::IsAutoRun(); }

void TMainFM::SetAutoRun(bool on) { ::kurvix::SetAutoRun(on, ui::App().ExeName()); }

} // namespace kurvix
