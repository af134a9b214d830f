// The main window: the statistics panels, the click distribution image, the menus, the tray
// icon and the four timers that poll the hook library. Creating it connects the program to
// the library; closing it saves the statistics and ends the program.
#pragma once

#include "Bitmap_win.h"
#include "Controls_win.h"
#include "FailureNotice.h"
#include "Form_win.h"
#include "Freqmap.h"
#include "Menu_win.h"
#include "PanelTexts.h"
#include "StatsFile.h"
#include "Timer_win.h"
#include "TrayIcon_win.h"

#include <cstdint>
#include <memory>

namespace kurvix {

class TMainFM : public ui::Form {
  public:
    TMainFM();
    ~TMainFM() override;

    // Sets UpdateImageTM, then UpdateTextTM, to `on`: the display timers run or stop together.
    void SetDisplayTimers(bool on);

    // Components.
    ui::GroupBox FrequencyGB;
    ui::Image FrequencyIM;
    ui::Image LegendIM;
    ui::GroupBox TotalGB;
    ui::GroupBox TrackGB;
    ui::Label GDistLB, GPixLB, GClicksLB, GLeftLB, GRightLB, GMiddleLB, GWheelTicksLB, GTimeLB;
    ui::Label TDistLB, TPixLB, TClicksLB, TLeftLB, TRightLB, TMiddleLB, TWheelTicksLB;
    ui::Button ClearTrackBT;
    ui::CheckBox StartMinimizedCB;
    ui::GlyphButton MinimizeBT;
    ui::Timer UpdateTextTM;
    ui::Timer UpdateImageTM;
    ui::Timer ScreenTM;
    ui::Timer AutoSaveTM;
    ui::MainMenu MainMU;
    ui::MenuItem FileMMI, SavenowMMI, Separator1MMI, ExitMMI;
    ui::MenuItem ViewMMI, FullScreenMMI, MinimizeMMI;
    ui::MenuItem OptionsMMI, AutoSaveMMI, Separator2MMI, StartMinimizedMMI, AutoRunMMI,
        Separator3MMI, PreferencesMI;
    ui::MenuItem HelpMMI, AboutMMI;
    ui::PopupMenu TrayPM;
    ui::MenuItem ShowMI, FullScreenMI, AboutMI, N1, ExitMI;
    ui::ImageList TrayIconsIL;
    ui::TrayIcon TrayTI;

    // Maps the pixel frequency grid to the colours of FrequencyIM.
    TFrequencyMapper FreqMapper;

    // Own fields.
    long double TrackPixels = 0;
    long double TrackDistance = 0;
    uint32_t TrackClicksLeft = 0;
    uint32_t TrackClicksRight = 0;
    uint32_t TrackClicksMiddle = 0;
    uint32_t TrackWheelTicks = 0;
    int32_t FreqWidth = 0;
    int32_t FreqHeight = 0;
    bool StartMinimized = false;
    bool AutoSave = true;
    uint32_t AutoSaveInterval = 60000;
    bool ScreenSizeDetected = false;
    uint32_t TimeOn = 0;
    uint32_t TimeOnTick = 0;
    double StartDate = 0;
    double StartDateCopy = 0;

    // The statistics (file, panels, image) and the registry values.
    void LoadStatistics();
    void SaveStatistics();
    void UpdateStatisticsText();
    void UpdateFrequencyImage();
    void DrawLegend();
    bool IsAutoRun();
    void SetAutoRun(bool on);

  private:
    void BuildPanels();
    void BuildMenus();
    void BindEvents();

    // Event handlers.
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void FormResize();
    void FormKeyDown(uint16_t& key, ui::ShiftState shift);
    void ClearTrackBTClick();
    void FullScreenBTClick();
    void StartMinimizedCBClick();
    void StartMinimizedMMIClick();
    void MinimizeMMIClick();
    void ShowMIClick();
    void AboutMMIClick();
    void ExitMMIClick();
    void SavenowMMIClick();
    void OptionsMMIClick();
    void AutoSaveMMIClick();
    void AutoRunMMIClick();
    void PreferencesMIClick();
    void UpdateTextTMTimer();
    void UpdateImageTMTimer();
    void ScreenTMTimer();
    void AutoSaveTMTimer();
    void MainAEMinimize();
    void MainAERestore();
    void EndSession();

    // Runs a save; a failure is shown in the error box, the one of the auto save only once per
    // run (a failing registry would otherwise bring a box every interval).
    void SaveReportingFailure(bool fromAutoSave);

    std::unique_ptr<ui::Label> captions_[15];
    // The statistics file's record from the window and the library, and back.
    void ApplyStatsRecord(const StatsRecord& record);
    StatsRecord CollectStatsRecord();
    TrackBases CurrentTrackBases() const;
    void SetTrackBases(const TrackBases& bases);
    NumberSeparators separators_;     // the user's, read once at start
    FailureNotice saveFailureNotice_; // a failed save of the file is told once per run
    bool autoSaveFailureShown_ = false;
    bool closed_ = false;
};

extern TMainFM* MainFM;

// The hook library's pixel frequency grid, for the frequency mappers.
const FrequencySource& HookFrequencySource();

} // namespace kurvix
