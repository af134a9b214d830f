#include "Settings_win.h"

#include "CommandLine_win.h"
#include "Registry_win.h"
#include "Switches.h"

namespace kurvix {

using ui::RegistryKey;

const char* const kSettingsKeyPath = "\\SOFTWARE\\Quillmoor\\Kurvix";
const char* const kRunKeyPath = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunValueName = "Kurvix";

namespace {

const char* const kInstalled = "Installed";
const char* const kStartMinimized = "StartMinimized";

} // namespace

std::vector<std::string> ProgramParameters() {
    std::vector<std::string> params = SplitCommandLine(ui::ProcessCommandLine());
    if (!params.empty())
        params.erase(params.begin());
    return params;
}

bool StartMinimizedSetting() {
    try {
        const RegistryKey key(kSettingsKeyPath, RegistryKey::Mode::OpenOrCreate);
        return key.ReadDword(kStartMinimized).value_or(0) != 0;
    } catch (...) {
        return false;
    }
}

bool ShouldStartMinimized(const std::vector<std::string>& parameters) {
    const bool setting = StartMinimizedSetting();
    return HasMinimizeSwitch(parameters) || setting;
}

bool ShouldStartMinimized() { return ShouldStartMinimized(ProgramParameters()); }

void WriteSettings(bool startMinimized) {
    RegistryKey key(kSettingsKeyPath, RegistryKey::Mode::OpenOrCreate);
    key.WriteDword(kInstalled, 1);
    key.WriteBool(kStartMinimized, startMinimized);
}

bool IsAutoRun() {
    const RegistryKey key(kRunKeyPath, RegistryKey::Mode::OpenExisting);
    return key.ValueType(kRunValueName) == REG_SZ;
}

void SetAutoRun(bool on, const std::string& programPath) {
    RegistryKey key(kRunKeyPath, RegistryKey::Mode::OpenOrCreate);
    if (on)
        key.WriteString(kRunValueName, AutoRunCommand(programPath));
    else if (key.ValueType(kRunValueName) == REG_SZ)
        key.DeleteValue(kRunValueName);
}

} // namespace kurvix
