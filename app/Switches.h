// The command line of the program: how the process's command line splits into parameters,
// which parameters ask for a minimized start, and the command that the start-with-Windows entry
// runs. Platform-free.
#pragma once

#include <string>
#include <vector>

namespace kurvix {

// Splits a command line into its parameters, the program path first. Characters up to and
// including the space separate parameters; double quotes group spaces into a parameter and are
// dropped; a backslash is an ordinary character (so "C:\dir\" stays one parameter); a pair of
// empty quotes that opens a parameter is skipped.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The switch words of a minimized start, tested in this order.
extern const char* const kMinimizeSwitchWords[5];

// True when one of the parameters (the program path not among them) is "-" or "/" followed by a
// switch word in any letter case, matched whole.
bool HasMinimizeSwitch(const std::vector<std::string>& parameters);

// The switch that the start-with-Windows entry appends to the program's path.
extern const char* const kAutoRunSwitch;

// The data of the start-with-Windows entry: the program's path and " /autorun". A path with a
// space is quoted, so that the system cannot mistake a prefix of it ("C:\Program") for the
// program to run.
std::string AutoRunCommand(const std::string& programPath);

} // namespace kurvix
