// The statistics file on the disk: its name beside the executable, reading it whole, and the
// safe save (complete temporary file, flushed, then renamed over the old one). No window is
// involved, so a benchmark or a test can load and save as the program does.
#pragma once

#include "SafeSave.h"
#include "StatsFile.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kurvix {

// The file operations of a save over Win32: the new file is opened without sharing, flushed
// with FlushFileBuffers, and renamed over the target with MoveFileExA (replace existing, write
// through). A replace that meets a file someone holds open (a sharing violation, or the access
// refusal Wine gives then) is tried again up to replaceAttempts times, retryDelayMs apart.
class Win32SaveFileOps : public SaveFileOps {
  public:
    explicit Win32SaveFileOps(int replaceAttempts = 10, DWORD retryDelayMs = 25)
        : replaceAttempts_(replaceAttempts), retryDelayMs_(retryDelayMs) {}
    ~Win32SaveFileOps() override { Close(); }
    Win32SaveFileOps(const Win32SaveFileOps&) = delete;
    Win32SaveFileOps& operator=(const Win32SaveFileOps&) = delete;

    uint32_t Create(const std::string& path) override;
    uint32_t Write(const uint8_t* data, size_t size) override;
    uint32_t Flush() override;
    uint32_t Close() override;
    uint32_t Replace(const std::string& from, const std::string& to) override;
    uint32_t Remove(const std::string& path) override;

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    int replaceAttempts_;
    DWORD retryDelayMs_;
};

// The full path of the running executable with its extension replaced by ".dat".
std::string GetStatsFileName();

// Up to maxBytes bytes from the start of the file; nothing when it cannot be opened.
std::optional<std::vector<uint8_t>> ReadFileStart(const std::string& path, size_t maxBytes);

// The statistics file at path decoded for a grid of gridWidth x gridHeight; nothing means
// "apply the defaults" (missing, unreadable, too short or not a statistics file). Bytes past
// the grid are not read.
std::optional<StatsFileContents> LoadStatsFile(const std::string& path, int gridWidth,
                                               int gridHeight);

// Saves the bytes as the new contents of path with the real file operations.
SaveStatus SaveFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Encodes and saves a whole statistics file.
SaveStatus SaveStatsFile(const std::string& path, const StatsRecord& record, const uint32_t* grid,
                         size_t cellCount);

// A message for the user about a failed save: the file's path, the step and the system's text
// of the error.
std::string SaveFailureMessage(const SaveStatus& status);

} // namespace kurvix
