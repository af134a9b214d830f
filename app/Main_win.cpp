#include "Main_win.h"

#include "About_win.h"
#include "Application_win.h"
#include "Fullscreen_win.h"
#include "KurvixHook.h"
#include "Options_win.h"
#include "Resources.h"

namespace kurvix {

TMainFM* MainFM = nullptr;

namespace {

// The panels' rows: caption, its x in the box, and the row's y.
struct PanelRow {
    const char* caption;
    int x;
    int y;
};
const PanelRow kPanelRows[8] = {
    {"Meters:", 8, 20},    {"Pixels:", 8, 40},     {"Clicks:", 8, 60},       {"- left:", 20, 80},
    {"- right:", 20, 100}, {"- center:", 20, 120}, {"Wheel ticks:", 8, 140}, {"Time on:", 8, 168},
};
const int kValueX = 88, kValueWidth = 70, kRowHeight = 13;

ui::Bounds ValueAt(int row) { return {kValueX, kPanelRows[row].y, kValueWidth, kRowHeight}; }

// A 16 by 16 picture from rows of characters: '.' transparent, '#' outline, 'o' fill,
// 'w' highlight.
ui::Bitmap PixelArt(const char* const (&rows)[16], uint32_t fill) {
    ui::Bitmap bitmap(16, 16);
    for (int y = 0; y < 16; ++y) {
        uint32_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < 16; ++x) {
            switch (rows[y][x]) {
            case '#':
                row[x] = 0xFF202830;
                break;
            case 'o':
                row[x] = 0xFF000000 | fill;
                break;
            case 'w':
                row[x] = 0xFFE8EEF8;
                break;
            default:
                row[x] = 0;
                break;
            }
        }
    }
    return bitmap;
}

// The program's mouse, for the tray icon.
ui::Bitmap MouseGlyph() {
    static const char* const rows[16] = {
        "................", "....########....", "...#ooo##ooo#...", "...#ooo##ooo#...",
        "...#ooo##ooo#...", "...##########...", "...#owoooooo#...", "...#owoooooo#...",
        "...#oooooooo#...", "...#oooooooo#...", "...#oooooooo#...", "...#oooooooo#...",
        "...#oooooooo#...", "....#oooooo#....", ".....######.....", "................",
    };
    return PixelArt(rows, 0x2F5FB3);
}

// An arrow into a tray, for the button that sends the window there.
ui::Bitmap TrayGlyph() {
    static const char* const rows[16] = {
        "................", "......####......", "......#oo#......", "......#oo#......",
        "......#oo#......", "...####oo####...", "....#oooooo#....", ".....#oooo#.....",
        "......#oo#......", ".......##.......", ".#............#.", ".#............#.",
        ".##############.", ".#wwwwwwwwwwww#.", ".##############.", "................",
    };
    return PixelArt(rows, 0x2E8B57);
}

} // namespace

TMainFM::TMainFM()
    : Form(ui::FormSettings("Kurvix", 353, 393, ui::BorderStyle::Single).WithMinimizeBox()),
      FrequencyGB(*this, {4, 4, 345, 153}, "Click distribution"),
      FrequencyIM(FrequencyGB, {88, 20, 160, 120}), LegendIM(FrequencyGB, {256, 20, 16, 120}),
      TotalGB(*this, {4, 164, 169, 193}, "Total"), TrackGB(*this, {180, 164, 169, 193}, "Track"),
      GDistLB(TotalGB, ValueAt(0), "0"), GPixLB(TotalGB, ValueAt(1), "0"),
      GClicksLB(TotalGB, ValueAt(2), "0"), GLeftLB(TotalGB, ValueAt(3), "0"),
      GRightLB(TotalGB, ValueAt(4), "0"), GMiddleLB(TotalGB, ValueAt(5), "0"),
      GWheelTicksLB(TotalGB, ValueAt(6), "0"), GTimeLB(TotalGB, ValueAt(7), "0"),
      TDistLB(TrackGB, ValueAt(0), "0"), TPixLB(TrackGB, ValueAt(1), "0"),
      TClicksLB(TrackGB, ValueAt(2), "0"), TLeftLB(TrackGB, ValueAt(3), "0"),
      TRightLB(TrackGB, ValueAt(4), "0"), TMiddleLB(TrackGB, ValueAt(5), "0"),
      TWheelTicksLB(TrackGB, ValueAt(6), "0"), ClearTrackBT(*this, {276, 324, 65, 25}, "&Clear"),
      StartMinimizedCB(*this, {12, 368, 97, 17}, "&Start &minimized"),
      MinimizeBT(*this, {268, 364, 81, 25}, ""), UpdateTextTM(40), UpdateImageTM(1000),
      ScreenTM(5000), AutoSaveTM(60000), FileMMI("&File"), SavenowMMI("&Save now"),
      Separator1MMI("-"), ExitMMI("E&xit"), ViewMMI("&View"),
      FullScreenMMI("Full &screen distribution"), MinimizeMMI("&Minimize to tray"),
      OptionsMMI("&Options"), AutoSaveMMI("&Auto save"), Separator2MMI("-"),
      StartMinimizedMMI("Start &minimized"), AutoRunMMI("&Run on Windows startup"),
      Separator3MMI("-"), PreferencesMI("Preferences..."), HelpMMI("&?"), AboutMMI("&About..."),
      ShowMI("&Show Kurvix"), FullScreenMI("View &fullscreen distribution"), AboutMI("&About..."),
      N1("-"), ExitMI("E&xit"), TrayIconsIL(16, 16), FreqMapper(HookFrequencySource()) {
    BuildPanels();
    BuildMenus();
    BindEvents();

    // The tray icon shows for as long as the program runs.
    TrayIconsIL.Add(MouseGlyph());
    TrayTI.SetIcon(TrayIconsIL.GetIcon(0));
    TrayTI.SetHint("Kurvix");
    TrayTI.SetPopupMenu(&TrayPM);
    TrayTI.SetMinimizeToTray(true);
    TrayTI.Show();

    // Connect to the library: this instance is the running one from here on.
    SetPreviousHandle(ui::App().Handle());
    UpdateScreenParameters();
    SetHookCount(0);
    LoadStatistics();
    SetHook();
    TimeOnTick = ui::TickCount();
}

TMainFM::~TMainFM() {
    BeginDestroy();
    ui::App().OnMinimize = nullptr;
    ui::App().OnRestore = nullptr;
    ui::App().OnEndSession = nullptr;
}

void TMainFM::BuildPanels() {
    for (int row = 0; row < 8; ++row) {
        const PanelRow& r = kPanelRows[row];
        const ui::Bounds at{r.x, r.y, kValueX - 2 - r.x, kRowHeight};
        captions_[row] = std::make_unique<ui::Label>(TotalGB, at, r.caption);
        if (row < 7)
            captions_[8 + row] = std::make_unique<ui::Label>(TrackGB, at, r.caption);
    }
    for (ui::Label* value :
         {&GDistLB, &GPixLB, &GClicksLB, &GLeftLB, &GRightLB, &GMiddleLB, &GWheelTicksLB, &GTimeLB,
          &TDistLB, &TPixLB, &TClicksLB, &TLeftLB, &TRightLB, &TMiddleLB, &TWheelTicksLB})
        value->SetAlignment(ui::Alignment::Right);

    FrequencyIM.SetStretch(true);
    FrequencyIM.SetCursor(ui::Cursor::Hand);
    FrequencyIM.SetHint("Click for fullscreen view");
    LegendIM.SetStretch(true);
    LegendIM.SetHint("Legend for click distribution diagram");
    ClearTrackBT.SetHint("Clear the track counter");
    StartMinimizedCB.SetHint("Automatically send Kurvix to the system tray when run");
    MinimizeBT.SetGlyph(TrayGlyph());
    MinimizeBT.SetHint("Send Kurvix to the system tray");
    // The group boxes lie under everything placed in them.
    for (ui::GroupBox* box : {&FrequencyGB, &TotalGB, &TrackGB})
        box->SendToBack();
}

void TMainFM::BuildMenus() {
    FileMMI.Add(SavenowMMI);
    FileMMI.Add(Separator1MMI);
    FileMMI.Add(ExitMMI);
    ViewMMI.Add(FullScreenMMI);
    ViewMMI.Add(MinimizeMMI);
    OptionsMMI.Add(AutoSaveMMI);
    OptionsMMI.Add(Separator2MMI);
    OptionsMMI.Add(StartMinimizedMMI);
    OptionsMMI.Add(AutoRunMMI);
    OptionsMMI.Add(Separator3MMI);
    OptionsMMI.Add(PreferencesMI);
    HelpMMI.Add(AboutMMI);
    for (ui::MenuItem* item : {&FileMMI, &ViewMMI, &OptionsMMI, &HelpMMI})
        MainMU.Add(*item);
    SetMenu(MainMU);

    for (ui::MenuItem* item : {&ShowMI, &FullScreenMI, &AboutMI, &N1, &ExitMI})
        TrayPM.Add(*item);
    ShowMI.SetDefault(true);
}

void TMainFM::BindEvents() {
    SetKeyPreview(true);
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& action) { FormClose(action); };
    OnResize = [this] { FormResize(); };
    OnKeyDown = [this](uint16_t& key, ui::ShiftState shift) { FormKeyDown(key, shift); };
    ClearTrackBT.OnClick = [this] { ClearTrackBTClick(); };
    FrequencyIM.Mouse.OnClick = [this] { FullScreenBTClick(); };
    FullScreenMMI.OnClick = [this] { FullScreenBTClick(); };
    FullScreenMI.OnClick = [this] { FullScreenBTClick(); };
    StartMinimizedCB.OnClick = [this] { StartMinimizedCBClick(); };
    StartMinimizedMMI.OnClick = [this] { StartMinimizedMMIClick(); };
    MinimizeBT.OnClick = [this] { MinimizeMMIClick(); };
    MinimizeMMI.OnClick = [this] { MinimizeMMIClick(); };
    ShowMI.OnClick = [this] { ShowMIClick(); };
    TrayTI.OnClick = [this] { ShowMIClick(); };
    AboutMI.OnClick = [this] { AboutMMIClick(); };
    AboutMMI.OnClick = [this] { AboutMMIClick(); };
    ExitMI.OnClick = [this] { ExitMMIClick(); };
    ExitMMI.OnClick = [this] { ExitMMIClick(); };
    SavenowMMI.OnClick = [this] { SavenowMMIClick(); };
    OptionsMMI.OnClick = [this] { OptionsMMIClick(); }; // runs when the menu opens
    AutoSaveMMI.OnClick = [this] { AutoSaveMMIClick(); };
    AutoRunMMI.OnClick = [this] { AutoRunMMIClick(); };
    PreferencesMI.OnClick = [this] { PreferencesMIClick(); };
    UpdateTextTM.OnTimer = [this] { UpdateTextTMTimer(); };
    UpdateImageTM.OnTimer = [this] { UpdateImageTMTimer(); };
    ScreenTM.OnTimer = [this] { ScreenTMTimer(); };
    AutoSaveTM.OnTimer = [this] { AutoSaveTMTimer(); };
    ui::App().OnMinimize = [this] { MainAEMinimize(); };
    ui::App().OnRestore = [this] { MainAERestore(); };
    ui::App().OnEndSession = [this] { EndSession(); };
}

void TMainFM::SetDisplayTimers(bool on) {
    UpdateImageTM.SetEnabled(on);
    UpdateTextTM.SetEnabled(on);
}

void TMainFM::FormShow() {
    ScreenTM.SetEnabled(true);
    UpdateStatisticsText();
    UpdateFrequencyImage();
    if (ScreenSizeDetected) {
        ScreenSizeDetected = false;
        ui::App().ShowMessage(ui::LoadStr(IDS_SCREEN_SIZE_DETECTED), ui::LoadStr(IDS_INFORMATION),
                              ui::kMessageIconInformation | ui::kMessageOk);
        OptionsFM->ShowModal();
    }
}

void TMainFM::FormClose(ui::CloseAction& /*action*/) {
    SetPreviousHandle(nullptr); // a new start of the program now runs in full
    SetDisplayTimers(false);
    AutoSaveTM.SetEnabled(false);
    ScreenTM.SetEnabled(false);
    // The window closes even when the registry part of the save fails; the statistics file
    // has been written before that part.
    SaveReportingFailure(false);
}

void TMainFM::EndSession() {
    // Log-off or shutdown ends the process without a close: save as a close would.
    SetPreviousHandle(nullptr);
    SetDisplayTimers(false);
    AutoSaveTM.SetEnabled(false);
    ScreenTM.SetEnabled(false);
    try {
        SaveStatistics();
    } catch (const std::exception&) {
        // nobody is left to read a message
    }
}

void TMainFM::SaveReportingFailure(bool fromAutoSave) {
    try {
        SaveStatistics();
    } catch (const std::exception& e) {
        if (fromAutoSave && autoSaveFailureShown_)
            return;
        autoSaveFailureShown_ = autoSaveFailureShown_ || fromAutoSave;
        ui::App().ShowException(e);
    }
}

void TMainFM::FormResize() { SetDisplayTimers(State() != ui::WindowState::Minimized); }

void TMainFM::FormKeyDown(uint16_t& key, ui::ShiftState /*shift*/) {
    if (key == ui::kKeyF1) {
        AboutFM->ShowModal();
        key = 0;
    } else if (key == ui::kKeyEscape) {
        MinimizeMMIClick();
    }
}

void TMainFM::FullScreenBTClick() { FullScreenFM->Show(); }

void TMainFM::StartMinimizedCBClick() { StartMinimized = StartMinimizedCB.Checked(); }

void TMainFM::StartMinimizedMMIClick() {
    StartMinimized = !StartMinimized;
    StartMinimizedCB.SetChecked(StartMinimized);
}

void TMainFM::MinimizeMMIClick() { ui::App().Minimize(); }

void TMainFM::ShowMIClick() {
    ui::App().Restore();
    Show(); // brings a shown window to the front
}

void TMainFM::AboutMMIClick() { AboutFM->ShowModal(); }

void TMainFM::ExitMMIClick() { Close(); }

void TMainFM::SavenowMMIClick() { SaveStatistics(); }

void TMainFM::OptionsMMIClick() {
    StartMinimizedMMI.SetChecked(StartMinimized);
    AutoSaveMMI.SetChecked(AutoSave);
    AutoRunMMI.SetChecked(IsAutoRun());
}

void TMainFM::AutoSaveMMIClick() {
    AutoSave = !AutoSave;
    AutoSaveTM.SetEnabled(AutoSave);
}

void TMainFM::AutoRunMMIClick() { SetAutoRun(!IsAutoRun()); }

void TMainFM::PreferencesMIClick() { OptionsFM->Show(); }

void TMainFM::UpdateTextTMTimer() {
    if (!Destroying())
        UpdateStatisticsText();
}

void TMainFM::UpdateImageTMTimer() {
    if (!Destroying())
        UpdateFrequencyImage();
}

void TMainFM::ScreenTMTimer() {
    if (!Destroying())
        UpdateScreenParameters();
}

void TMainFM::AutoSaveTMTimer() {
    if (!Destroying())
        SaveReportingFailure(true);
}

void TMainFM::MainAEMinimize() { SetDisplayTimers(false); }

void TMainFM::MainAERestore() { SetDisplayTimers(true); }

} // namespace kurvix
