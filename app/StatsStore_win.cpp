#include "StatsStore_win.h"

#include "StatsFileName.h"

#include <cstdio>
#include <memory>

namespace kurvix {

namespace {

uint32_t LastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error != 0 ? error : fallback;
}

// A replace refused because someone holds the target (or the new file) open.
bool IsTransientReplaceError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

std::string SystemErrorText(uint32_t error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length != 0 ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' ||
                               result.back() == ' ' || result.back() == '.'))
        result.pop_back();
    return result.empty() ? "error " + std::to_string(error) : result;
}

} // namespace

uint32_t Win32SaveFileOps::Create(const std::string& path) {
    Close();
    file_ = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ == INVALID_HANDLE_VALUE ? LastErrorOr(ERROR_OPEN_FAILED) : 0;
}

uint32_t Win32SaveFileOps::Write(const uint8_t* data, size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file_, data, chunk, &written, nullptr))
            return LastErrorOr(ERROR_WRITE_FAULT);
        if (written == 0)
            return ERROR_DISK_FULL;
        data += written;
        size -= written;
    }
    return 0;
}

uint32_t Win32SaveFileOps::Flush() {
    return FlushFileBuffers(file_) ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
}

uint32_t Win32SaveFileOps::Close() {
    if (file_ == INVALID_HANDLE_VALUE)
        return 0;
    const bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    return closed ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
}

uint32_t Win32SaveFileOps::Replace(const std::string& from, const std::string& to) {
    DWORD error = 0;
    for (int attempt = 0; attempt < replaceAttempts_; ++attempt) {
        if (attempt > 0)
            Sleep(retryDelayMs_);
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        error = LastErrorOr(ERROR_WRITE_FAULT);
        if (!IsTransientReplaceError(error))
            break;
    }
    return error;
}

uint32_t Win32SaveFileOps::Remove(const std::string& path) {
    return DeleteFileA(path.c_str()) ? 0 : LastErrorOr(ERROR_FILE_NOT_FOUND);
}

std::string GetStatsFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return StatsFileNameFor(path);
        }
        path.resize(path.size() * 2);
    }
}

std::optional<std::vector<uint8_t>> ReadFileStart(const std::string& path, size_t maxBytes) {
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return std::nullopt;
    std::vector<uint8_t> bytes(maxBytes);
    size_t filled = 0;
    while (filled < maxBytes) {
        const size_t got = std::fread(bytes.data() + filled, 1, maxBytes - filled, file.get());
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

std::optional<StatsFileContents> LoadStatsFile(const std::string& path, int gridWidth,
                                               int gridHeight) {
    const size_t cells = static_cast<size_t>(gridWidth > 0 ? gridWidth : 0) *
                         static_cast<size_t>(gridHeight > 0 ? gridHeight : 0);
    const auto bytes = ReadFileStart(path, kStatsGridOffset + 4 * cells);
    if (!bytes)
        return std::nullopt;
    return DecodeStatsFile(bytes->data(), bytes->size(), gridWidth, gridHeight);
}

SaveStatus SaveFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    Win32SaveFileOps ops;
    return SaveReplacing(ops, path, bytes.data(), bytes.size());
}

SaveStatus SaveStatsFile(const std::string& path, const StatsRecord& record, const uint32_t* grid,
                         size_t cellCount) {
    return SaveFileBytes(path, EncodeStatsFile(record, grid, cellCount));
}

std::string SaveFailureMessage(const SaveStatus& status) {
    return "The statistics could not be saved to\n" + status.Path + "\n(" +
           SaveStepText(status.Step) + ": " + SystemErrorText(status.Error) +
           ").\nCounting goes on, and the next save tries again.";
}

} // namespace kurvix
