// The Win32 layer under Wine: window objects and their procedure, the controls' rules, menus,
// timers, the string table and the application's minimize and restore.
#include "Application_win.h"
#include "Controls_win.h"
#include "Form_win.h"
#include "Menu_win.h"
#include "Shell_win.h"
#include "Timer_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>

using namespace kurvix::ui;

namespace {

FormSettings TestSettings() { return FormSettings("Test form", 200, 100, BorderStyle::Single); }

class TestForm : public Form {
  public:
    TestForm()
        : Form(TestSettings()), box(*this, {4, 4, 190, 90}, "Box"),
          label(box, {8, 16, 70, 13}, "1,234"), button(*this, {100, 60, 75, 25}, "&Clear"),
          check(*this, {8, 60, 80, 17}, "&Start") {}
    GroupBox box;
    Label label;
    Button button;
    CheckBox check;
};

// Runs the message loop until `done` or `limitMs` have passed.
template <typename F> bool PumpUntil(F done, DWORD limitMs = 2000) {
    const DWORD end = GetTickCount() + limitMs;
    while (!done() && GetTickCount() < end) {
        App().ProcessMessages();
        Sleep(5);
    }
    return done();
}

class UiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App().Initialize();
        App().CreateForm(form);
    }
    void TearDown() override { App().DestroyForms(); }
    TestForm* form = nullptr;
};

TEST(StringTable, EntriesAndMissingEntry) {
    EXPECT_EQ(LoadStr(1009), "Information");
    EXPECT_EQ(LoadStr(1005), "Version %d.%d Build %d");
    EXPECT_EQ(LoadStr(1008), "Kurvix has auto-detected your screen size.\n"
                             "Please verify that these settings are correct.");
    EXPECT_EQ(LoadStr(4242), "");
}

TEST(VersionResource, TheProgramsNumbersAndAFileWithoutOne) {
    uint32_t fileMS = 7, fileLS = 7, productMS = 7, productLS = 7;
    ASSERT_TRUE(ReadFileVersion(App().ExeName(), fileMS, fileLS, productMS, productLS));
    EXPECT_EQ(productMS, 0x00010000u); // 1.0
    EXPECT_EQ(productLS, 0x00000001u); // .0.1
    EXPECT_EQ(fileMS, productMS);
    EXPECT_EQ(fileLS, productLS);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string plain = std::string(temp) + "kurvix-no-version.txt";
    HANDLE file = CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    uint32_t a = 7, b = 7, c = 7, d = 7;
    EXPECT_FALSE(ReadFileVersion(plain, a, b, c, d));
    EXPECT_EQ(a + b + c + d, 28u) << "outputs unchanged on failure";
    DeleteFileA(plain.c_str());
}

TEST(ErrorBox, FullStopWhenTheLastCharacterSortsAfterThePoint) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"", ""},          {"Disk full", "Disk full."}, {"Done.", "Done."}, {"Stop!", "Stop!"},
        {"Why?", "Why?."}, {"a/b/", "a/b/."},           {"x-", "x-"},       {"10", "10."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExceptionBoxText(c.message), c.shown) << c.message;
}

TEST_F(UiTest, ObjectsAreFoundFromTheirWindowsAndTextsAreReadable) {
    EXPECT_EQ(Window::FromHandle(form->Handle()), form);
    EXPECT_EQ(Window::FromHandle(form->label.Handle()), &form->label);   // our own class
    EXPECT_EQ(Window::FromHandle(form->button.Handle()), &form->button); // a system control
    EXPECT_EQ(Window::FromHandle(GetDesktopWindow()), nullptr);
    EXPECT_EQ(Form::FromChild(form->check.Handle()), form);
    EXPECT_EQ(WindowText(form->label.Handle()), "1,234");
    EXPECT_EQ(WindowText(form->button.Handle()), "&Clear");
    EXPECT_EQ(WindowText(form->box.Handle()), "Box");
    form->label.SetText("0.0000");
    EXPECT_EQ(WindowText(form->label.Handle()), "0.0000");

    // Placed inside the group box, scaled like everything else.
    RECT r = form->label.BoundsInForm();
    EXPECT_EQ(r.left, Scale(4 + 8));
    EXPECT_EQ(r.top, Scale(4 + 16));

    HWND formWindow = form->Handle(), labelWindow = form->label.Handle();
    App().DestroyForms();
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_FALSE(IsWindow(labelWindow));
    EXPECT_EQ(Window::FromHandle(formWindow), nullptr);
}

TEST_F(UiTest, AnExceptionInAHandlerGoesToTheErrorBoxNotThroughTheWindowProcedure) {
    std::string reported;
    Window::SetExceptionHandler([&](const std::exception& e) { reported = e.what(); });
    form->button.OnClick = [] { throw std::runtime_error("Failed to set data for 'Installed'"); };
    SendMessageA(form->button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(reported, "Failed to set data for 'Installed'");
    Window::SetExceptionHandler([](const std::exception& e) { App().ShowException(e); });
}

TEST_F(UiTest, CheckBoxClickFiresForTheUserAndForCodeThatChangesTheState) {
    int clicks = 0;
    form->check.OnClick = [&] { ++clicks; };
    const struct {
        bool set;
        int clicksAfter;
    } steps[] = {{true, 1}, {true, 1}, {false, 2}, {false, 2}, {true, 3}};
    for (const auto& step : steps) {
        form->check.SetChecked(step.set);
        EXPECT_EQ(form->check.Checked(), step.set);
        EXPECT_EQ(clicks, step.clicksAfter);
    }
    SendMessageA(form->check.Handle(), BM_CLICK, 0, 0); // the user's click toggles
    EXPECT_FALSE(form->check.Checked());
    EXPECT_EQ(clicks, 4);
}

TEST_F(UiTest, KeyPreviewSeesKeysOfControlsAndKeyZeroStopsThem) {
    form->SetKeyPreview(true);
    uint16_t seen = 0;
    form->OnKeyDown = [&](uint16_t& key, ShiftState) {
        seen = key;
        if (key == kKeyF1)
            key = 0;
    };
    MSG f1{form->button.Handle(), WM_KEYDOWN, kKeyF1, 0, 0, {}};
    EXPECT_TRUE(form->PreviewKey(f1));
    EXPECT_EQ(seen, kKeyF1);
    MSG escape{form->button.Handle(), WM_KEYDOWN, kKeyEscape, 0, 0, {}};
    EXPECT_FALSE(form->PreviewKey(escape));
    EXPECT_EQ(seen, kKeyEscape);

    form->SetKeyPreview(false); // without preview only the form's own keys reach it
    seen = 0;
    EXPECT_FALSE(form->PreviewKey(escape));
    EXPECT_EQ(seen, 0);
}

TEST_F(UiTest, TimersFireFromTheLoopAndStopWhenDisabled) {
    Timer fast(20), never(0);
    int ticks = 0, neverTicks = 0;
    fast.OnTimer = [&] { ++ticks; };
    never.OnTimer = [&] { ++neverTicks; };
    EXPECT_FALSE(PumpUntil([&] { return ticks > 0; }, 200)) << "a timer is off when created";
    fast.SetEnabled(true);
    never.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    fast.SetEnabled(false);
    const int stopped = ticks;
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(ticks, stopped);
    EXPECT_EQ(neverTicks, 0) << "interval 0 never fires";
}

TEST_F(UiTest, MenusCarryCheckMarksTheDefaultItemAndAnOpenEvent) {
    MainMenu menu;
    MenuItem options("&Options"), autoSave("&Auto save"), separator("-"), prefs("Preferences...");
    options.Add(autoSave);
    options.Add(separator);
    options.Add(prefs);
    menu.Add(options);
    int opened = 0, prefsClicks = 0;
    options.OnClick = [&] {
        ++opened;
        autoSave.SetChecked(true);
    };
    prefs.OnClick = [&] { ++prefsClicks; };
    form->SetMenu(menu);

    HMENU sub = GetSubMenu(GetMenu(form->Handle()), 0);
    ASSERT_NE(sub, nullptr);
    SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(GetMenuState(sub, autoSave.Id(), MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(GetMenuItemCount(sub), 3);

    SendMessageA(form->Handle(), WM_COMMAND, prefs.Id(), 0);
    EXPECT_EQ(prefsClicks, 1);
    EXPECT_EQ(form->ClientHeight(), Scale(100)) << "the menu bar does not eat the client area";

    PopupMenu tray;
    MenuItem show("&Show"), exit("E&xit");
    tray.Add(show);
    tray.Add(exit);
    show.SetDefault(true);
    EXPECT_EQ(tray.DefaultItem(), &show);
}

TEST_F(UiTest, MinimizeToTrayAndRestoreThroughTheApplicationWindow) {
    int minimized = 0, restored = 0, shown = 0;
    App().OnMinimize = [&] { ++minimized; };
    App().OnRestore = [&] { ++restored; };
    form->OnShow = [&] { ++shown; };
    App().SetHideOnMinimize(true);

    // A minimized start: the form has never been shown; the first restore shows it.
    App().Minimize();
    EXPECT_EQ(minimized, 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(App().Handle())) << "no taskbar button in the tray";
    SendMessageA(App().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindowVisible(App().Handle()));

    // A restore of a shown window changes nothing.
    SendMessageA(App().Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(restored, 1);

    // The title bar's minimize box of the main form minimizes the application; showing
    // again after it does not run the show event a second time.
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimized, 2);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->Visible());
    App().Restore();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    EXPECT_TRUE(IsApplicationWindow(App().Handle()));
    EXPECT_FALSE(IsApplicationWindow(form->Handle()));
    EXPECT_FALSE(IsApplicationWindow(nullptr));
    App().OnMinimize = nullptr;
    App().OnRestore = nullptr;
}

} // namespace
