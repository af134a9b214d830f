// Registry access as the program uses it: every operation opens its own key under
// HKEY_LOCAL_MACHINE by an absolute path, with full access, and closes it when the key object
// goes away. Reads of a key that failed to open find nothing; writes to it throw.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace kurvix::ui {

// A failed registry write; the text names the value: "Failed to set data for 'Installed'".
class RegistryException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class RegistryKey {
  public:
    enum class Mode { OpenExisting, OpenOrCreate };

    // Opens HKEY_LOCAL_MACHINE\path with KEY_ALL_ACCESS; a leading backslash is allowed. A key
    // that cannot be opened (missing, or no rights) leaves the object closed; no exception.
    RegistryKey(const std::string& path, Mode mode);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool IsOpen() const { return key_ != nullptr; }

    // The stored type (REG_SZ, REG_DWORD, ...) of a value, or nothing when the value is missing.
    std::optional<DWORD> ValueType(const std::string& name) const;
    // The data of a REG_DWORD value; nothing when the value is missing or of another type.
    std::optional<uint32_t> ReadDword(const std::string& name) const;
    // The data of a REG_SZ or REG_EXPAND_SZ value (unexpanded); nothing otherwise.
    std::optional<std::string> ReadString(const std::string& name) const;

    // Writes replace a value of the same name whatever its type; they throw RegistryException
    // "Failed to set data for '<name>'" when the key is closed or the system refuses.
    void WriteDword(const std::string& name, uint32_t data);
    void WriteBool(const std::string& name, bool data);                 // REG_DWORD 1 or 0
    void WriteString(const std::string& name, const std::string& data); // REG_SZ

    // Deletes a value; false when it could not (missing value, closed key).
    bool DeleteValue(const std::string& name);

  private:
    void SetValue(const std::string& name, DWORD type, const void* data, DWORD size);

    HKEY key_ = nullptr;
};

} // namespace kurvix::ui
