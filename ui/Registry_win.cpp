#include "Registry_win.h"

namespace kurvix::ui {

namespace {

std::string RelativeToRoot(const std::string& path) {
    return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}

} // namespace

RegistryKey::RegistryKey(const std::string& path, Mode mode) {
    const std::string subKey = RelativeToRoot(path);
    HKEY key = nullptr;
    LONG result;
    if (mode == Mode::OpenOrCreate)
        result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    else
        result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result == ERROR_SUCCESS)
        key_ = key;
}

RegistryKey::~RegistryKey() {
    if (key_ != nullptr)
        RegCloseKey(key_);
}

std::optional<DWORD> RegistryKey::ValueType(const std::string& name) const {
    DWORD type = 0;
    if (key_ == nullptr ||
        RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return type;
}

std::optional<uint32_t> RegistryKey::ReadDword(const std::string& name) const {
    if (ValueType(name) != DWORD{REG_DWORD})
        return std::nullopt;
    DWORD data = 0, size = sizeof data;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&data),
                         &size) != ERROR_SUCCESS ||
        size != sizeof data)
        return std::nullopt;
    return data;
}

std::optional<std::string> RegistryKey::ReadString(const std::string& name) const {
    const std::optional<DWORD> type = ValueType(name);
    if (type != DWORD{REG_SZ} && type != DWORD{REG_EXPAND_SZ})
        return std::nullopt;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::string data(size + 1, '\0'); // room for a terminator the stored data may lack
    size = static_cast<DWORD>(data.size());
    if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    while (!data.empty() && data.back() == '\0')
        data.pop_back();
    return data;
}

void RegistryKey::SetValue(const std::string& name, DWORD type, const void* data, DWORD size) {
    if (key_ == nullptr || RegSetValueExA(key_, name.c_str(), 0, type,
                                          static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw RegistryException("Failed to set data for '" + name + "'");
}

void RegistryKey::WriteDword(const std::string& name, uint32_t data) {
    const DWORD value = data;
    SetValue(name, REG_DWORD, &value, sizeof value);
}

void RegistryKey::WriteBool(const std::string& name, bool data) { WriteDword(name, data ? 1 : 0); }

void RegistryKey::WriteString(const std::string& name, const std::string& data) {
    SetValue(name, REG_SZ, data.c_str(), static_cast<DWORD>(data.size() + 1));
}

bool RegistryKey::DeleteValue(const std::string& name) {
    return key_ != nullptr && RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

} // namespace kurvix::ui
