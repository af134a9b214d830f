// Drives the registry settings from the command line, for the test that reads the registry
// back with the system's own reg.exe:
//   settings_tool autorun-on PATH | autorun-off PATH | is-autorun | write-settings 0|1
//   settings_tool start-minimized [PARAM...]
#include "Settings_win.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const std::string command = argv[1];
    const std::string arg = argc > 2 ? argv[2] : "";
    try {
        if (command == "autorun-on" || command == "autorun-off")
            kurvix::SetAutoRun(command == "autorun-on", arg);
        else if (command == "is-autorun")
            std::printf("autorun=%d\n", kurvix::IsAutoRun() ? 1 : 0);
        else if (command == "write-settings")
            kurvix::WriteSettings(arg == "1");
        else if (command == "start-minimized")
            std::printf(
                "minimized=%d\n",
                kurvix::ShouldStartMinimized(std::vector<std::string>(argv + 2, argv + argc)) ? 1
                                                                                              : 0);
        else
            return 2;
    } catch (const std::exception& e) {
        std::printf("error=%s\n", e.what());
        return 1;
    }
    return 0;
}
