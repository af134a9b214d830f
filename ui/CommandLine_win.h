// The command line of the running process, as the system passed it.
#pragma once

#include <string>

namespace kurvix::ui {

std::string ProcessCommandLine();

} // namespace kurvix::ui
