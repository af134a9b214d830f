// The registry settings and the start-with-Windows entry over the real registry API (under
// Wine: the test prefix's registry). Values are planted and inspected with raw calls, so the
// key class is checked against the system, not against itself.
#include "Registry_win.h"
#include "Settings_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace kurvix {
namespace {

using ui::RegistryException;
using ui::RegistryKey;

const char* const kSettings = "SOFTWARE\\Quillmoor\\Kurvix";
const char* const kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kScratch = "SOFTWARE\\Quillmoor\\KurvixTestScratch";

void Plant(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void PlantDword(const char* path, const char* name, DWORD data) {
    Plant(path, name, REG_DWORD, &data, sizeof data);
}

void PlantText(const char* path, const char* name, DWORD type, const std::string& text) {
    Plant(path, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

struct Stored {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

Stored Inspect(const char* path, const char* name) {
    Stored s;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return s;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &s.type, nullptr, &size) == ERROR_SUCCESS) {
        s.exists = true;
        s.data.resize(size);
        RegQueryValueExA(key, name, nullptr, nullptr, s.data.data(), &size);
    }
    RegCloseKey(key);
    return s;
}

bool KeyExists(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

DWORD AsDword(const Stored& s) {
    DWORD d = 0;
    if (s.data.size() == sizeof d)
        memcpy(&d, s.data.data(), sizeof d);
    return d;
}

std::string AsText(const Stored& s) { return std::string(s.data.begin(), s.data.end()); }

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettings);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kScratch);
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRun, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "Kurvix");
            RegCloseKey(key);
        }
    }
};

TEST_F(SettingsTest, KeyOpensByAbsolutePathAndReadsTypesAndData) {
    EXPECT_FALSE(
        RegistryKey("\\SOFTWARE\\Quillmoor\\KurvixTestScratch", RegistryKey::Mode::OpenExisting)
            .IsOpen());
    EXPECT_FALSE(KeyExists(kScratch));
    RegistryKey key("\\SOFTWARE\\Quillmoor\\KurvixTestScratch", RegistryKey::Mode::OpenOrCreate);
    ASSERT_TRUE(key.IsOpen());
    EXPECT_TRUE(KeyExists(kScratch));

    PlantDword(kScratch, "d", 7);
    PlantText(kScratch, "s", REG_SZ, "text");
    PlantText(kScratch, "e", REG_EXPAND_SZ, "%WINDIR%\\x");
    EXPECT_EQ(key.ValueType("d"), DWORD{REG_DWORD});
    EXPECT_EQ(key.ValueType("e"), DWORD{REG_EXPAND_SZ});
    EXPECT_EQ(key.ValueType("missing"), std::nullopt);
    EXPECT_EQ(key.ReadDword("d"), 7u);
    EXPECT_EQ(key.ReadDword("s"), std::nullopt);
    EXPECT_EQ(key.ReadString("s"), "text");
    EXPECT_EQ(key.ReadString("e"), "%WINDIR%\\x"); // unexpanded
    EXPECT_EQ(key.ReadString("d"), std::nullopt);

    key.WriteString("d", "now a string"); // replaces a value of another type
    EXPECT_EQ(Inspect(kScratch, "d").type, DWORD{REG_SZ});
    EXPECT_EQ(AsText(Inspect(kScratch, "d")), std::string("now a string") + '\0');
    key.WriteBool("b", true);
    EXPECT_EQ(Inspect(kScratch, "b").type, DWORD{REG_DWORD});
    EXPECT_EQ(AsDword(Inspect(kScratch, "b")), 1u);
    EXPECT_TRUE(key.DeleteValue("b"));
    EXPECT_FALSE(key.DeleteValue("b"));
    EXPECT_FALSE(Inspect(kScratch, "b").exists);
}

TEST_F(SettingsTest, AKeyThatDidNotOpenFindsNothingAndRefusesWrites) {
    RegistryKey key("\\SOFTWARE\\Quillmoor\\KurvixTestScratch", RegistryKey::Mode::OpenExisting);
    ASSERT_FALSE(key.IsOpen());
    EXPECT_EQ(key.ValueType("x"), std::nullopt);
    EXPECT_FALSE(key.DeleteValue("x"));
    try {
        key.WriteDword("Installed", 1);
        FAIL() << "no exception";
    } catch (const RegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Installed'");
    }
    EXPECT_THROW(key.WriteString("Kurvix", "x"), RegistryException);
    EXPECT_FALSE(KeyExists(kScratch));
}

TEST_F(SettingsTest, OnlyANonZeroDwordStartsMinimized) {
    EXPECT_FALSE(StartMinimizedSetting()); // no key: created empty, normal start
    EXPECT_TRUE(KeyExists(kSettings));

    const struct {
        DWORD type;
        std::vector<BYTE> data;
        bool minimized;
    } cases[] = {
        {REG_DWORD, {2, 0, 0, 0}, true},   {REG_DWORD, {1, 0, 0, 0}, true},
        {REG_DWORD, {0, 0, 0, 1}, true},   {REG_DWORD, {0, 0, 0, 0}, false},
        {REG_SZ, {'1', 0}, false},         {REG_EXPAND_SZ, {'1', 0}, false},
        {REG_BINARY, {1, 0, 0, 0}, false}, {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        Plant(kSettings, "StartMinimized", c.type, c.data.data(), DWORD(c.data.size()));
        EXPECT_EQ(StartMinimizedSetting(), c.minimized) << "type " << c.type;
    }
}

TEST_F(SettingsTest, SwitchOrSettingGivesAMinimizedStart) {
    EXPECT_FALSE(ShouldStartMinimized({"m", "--m", "/minimise"}));
    EXPECT_TRUE(ShouldStartMinimized({"x", "-Min"}));
    PlantText(kSettings, "StartMinimized", REG_SZ, "1");
    EXPECT_FALSE(ShouldStartMinimized({}));
    PlantDword(kSettings, "StartMinimized", 2);
    EXPECT_TRUE(ShouldStartMinimized({}));
    EXPECT_TRUE(ShouldStartMinimized({"/autorun"}));
}

TEST_F(SettingsTest, SettingsWriteStoresDwords) {
    PlantText(kSettings, "StartMinimized", REG_SZ, "1");
    WriteSettings(true);
    EXPECT_EQ(Inspect(kSettings, "Installed").type, DWORD{REG_DWORD});
    EXPECT_EQ(AsDword(Inspect(kSettings, "Installed")), 1u);
    EXPECT_EQ(Inspect(kSettings, "StartMinimized").type, DWORD{REG_DWORD});
    EXPECT_EQ(AsDword(Inspect(kSettings, "StartMinimized")), 1u);
    EXPECT_TRUE(StartMinimizedSetting());
    WriteSettings(false);
    EXPECT_EQ(AsDword(Inspect(kSettings, "StartMinimized")), 0u);
    EXPECT_EQ(AsDword(Inspect(kSettings, "Installed")), 1u);
    EXPECT_FALSE(StartMinimizedSetting());
}

TEST_F(SettingsTest, RunEntryCountsOnlyAsAString) {
    EXPECT_FALSE(IsAutoRun());
    PlantText(kRun, "Kurvix", REG_SZ, "D:\\elsewhere\\Kurvix.exe /autorun"); // another copy
    EXPECT_TRUE(IsAutoRun());
    PlantText(kRun, "Kurvix", REG_EXPAND_SZ, "%ProgramFiles%\\Kurvix.exe /autorun");
    EXPECT_FALSE(IsAutoRun());
    PlantDword(kRun, "Kurvix", 1);
    EXPECT_FALSE(IsAutoRun());
}

TEST_F(SettingsTest, RunEntryIsWrittenAndDeleted) {
    const struct {
        const char* path;
        const char* data;
    } cases[] = {
        {"C:\\Kurvix\\Kurvix.exe", "C:\\Kurvix\\Kurvix.exe /autorun"},
        {"C:\\Program Files\\Kurvix\\Kurvix.exe",
         "\"C:\\Program Files\\Kurvix\\Kurvix.exe\" /autorun"},
    };
    for (const auto& c : cases) {
        SetAutoRun(true, c.path);
        const Stored s = Inspect(kRun, "Kurvix");
        EXPECT_EQ(s.type, DWORD{REG_SZ});
        EXPECT_EQ(AsText(s), std::string(c.data) + '\0');
        EXPECT_TRUE(IsAutoRun());
        SetAutoRun(false, c.path);
        EXPECT_FALSE(Inspect(kRun, "Kurvix").exists);
        EXPECT_FALSE(IsAutoRun());
    }
}

TEST_F(SettingsTest, RunEntryOfAnotherTypeIsReplacedButNotDeleted) {
    PlantText(kRun, "Kurvix", REG_EXPAND_SZ, "%ProgramFiles%\\Kurvix.exe");
    SetAutoRun(false, "C:\\K.exe");
    EXPECT_EQ(Inspect(kRun, "Kurvix").type, DWORD{REG_EXPAND_SZ});
    SetAutoRun(true, "C:\\K.exe");
    EXPECT_EQ(Inspect(kRun, "Kurvix").type, DWORD{REG_SZ});
    EXPECT_EQ(AsText(Inspect(kRun, "Kurvix")), std::string("C:\\K.exe /autorun") + '\0');
    SetAutoRun(false, "C:\\K.exe");
    EXPECT_FALSE(Inspect(kRun, "Kurvix").exists);
}

} // namespace
} // namespace kurvix
