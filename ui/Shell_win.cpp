#include "Shell_win.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

namespace kurvix::ui {

void ShellOpen(const std::string& target) {
    ShellExecuteA(nullptr, "open", target.c_str(), "", "", SW_SHOW);
}

bool ReadFileVersion(const std::string& path, uint32_t& fileMS, uint32_t& fileLS,
                     uint32_t& productMS, uint32_t& productLS) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return false;
    std::vector<char> buffer(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, buffer.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(buffer.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof *info)
        return false;
    fileMS = info->dwFileVersionMS;
    fileLS = info->dwFileVersionLS;
    productMS = info->dwProductVersionMS;
    productLS = info->dwProductVersionLS;
    return true;
}

} // namespace kurvix::ui
