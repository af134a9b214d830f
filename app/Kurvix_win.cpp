// The program's entry point: one instance per desktop, the start-minimized decision, the
// four forms and the message loop.
#include "About_win.h"
#include "Application_win.h"
#include "Fullscreen_win.h"
#include "KurvixHook.h"
#include "Main_win.h"
#include "Options_win.h"
#include "Settings_win.h"

#include <windows.h>

namespace {

// A running instance gets the restore request and the foreground, and this start ends. A
// stored handle that names no live application window of Kurvix (its instance ended without
// closing) does not count: this start runs in full and stores its own.
bool HandOverToRunningInstance() {
    if (!GetPreviousHandle() || !kurvix::ui::IsApplicationWindow(GetPreviousHandle()))
        return false;
    kurvix::ui::RequestRestore(GetPreviousHandle());
    kurvix::ui::BringToForeground(GetPreviousHandle());
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kurvix;
    ui::Application& app = ui::App();
    try {
        if (HandOverToRunningInstance())
            return 0;
        if (ShouldStartMinimized())
            app.SetStartupShowCommand(7); // SW_SHOWMINNOACTIVE: only the tray icon shows
        app.Initialize();
        app.SetTitle("Kurvix");
        app.CreateForm(MainFM);
        app.CreateForm(FullScreenFM);
        app.CreateForm(OptionsFM);
        app.CreateForm(AboutFM);
        app.Run();
    } catch (const std::exception& e) {
        app.ShowException(e);
    }
    return 0;
}
