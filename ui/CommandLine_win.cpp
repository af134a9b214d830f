#include "CommandLine_win.h"

#include <windows.h>

namespace kurvix::ui {

std::string ProcessCommandLine() { return GetCommandLineA(); }

} // namespace kurvix::ui
