// The program's two places in the registry under HKEY_LOCAL_MACHINE: the settings key
// "\SOFTWARE\Quillmoor\Kurvix" ("Installed", "StartMinimized") and the start-with-Windows entry
// "Kurvix" in "\SOFTWARE\Microsoft\Windows\CurrentVersion\Run". Each call opens the key it needs
// and closes it before returning.
#pragma once

#include <string>
#include <vector>

namespace kurvix {

extern const char* const kSettingsKeyPath;
extern const char* const kRunKeyPath;
extern const char* const kRunValueName;

// The parameters of the running program (the program path not among them).
std::vector<std::string> ProgramParameters();

// True when "StartMinimized" is stored as a non-zero REG_DWORD; any other type, a missing value
// or a key that cannot be opened gives false. Creates the settings key when it is missing.
bool StartMinimizedSetting();

// The start-up decision: the setting above, or a minimize switch among the parameters.
bool ShouldStartMinimized(const std::vector<std::string>& parameters);
bool ShouldStartMinimized(); // with ProgramParameters()

// Writes "Installed" = 1 and then "StartMinimized" = 1 or 0, both REG_DWORD, creating the key
// when missing. Throws ui::RegistryException "Failed to set data for '<value>'" at the first
// write that fails; the values before it stay written.
void WriteSettings(bool startMinimized);

// True when the start-with-Windows entry exists as a REG_SZ value, whatever program it names.
bool IsAutoRun();

// On: writes the entry as REG_SZ, AutoRunCommand(programPath), replacing a value of any type;
// throws ui::RegistryException "Failed to set data for 'Kurvix'" when that fails. Off: deletes
// the entry when it is a REG_SZ value and leaves a value of another type.
void SetAutoRun(bool on, const std::string& programPath);

} // namespace kurvix
