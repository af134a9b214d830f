// The statistics file: its exact bytes, without any file access. Three blocks, little-endian and
// packed: a 16-byte header (magic, two version fields, a reserved word), the 386-byte record,
// then the pixel frequency grid row after row. Totals travel as 10-byte x87 extended values, bit
// for bit. The decoder accepts a buffer of any length and never reads past it; the encoder gives
// the bytes of a whole file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kurvix {

constexpr uint32_t kStatsMagic = 0x19800828;
constexpr uint32_t kStatsVersionMajor = 1;
constexpr uint32_t kStatsVersionMinor = 5;
constexpr size_t kStatsHeaderSize = 16;
constexpr size_t kStatsRecordSize = 386;
constexpr size_t kStatsGridOffset = kStatsHeaderSize + kStatsRecordSize; // 402
constexpr uint32_t kDefaultAutoSaveInterval = 60000;                     // milliseconds

// The record as the program holds it. The 256 reserved bytes at its end are written as zeros
// and never read.
struct StatsRecord {
    double ScreenWidth = 0;  // centimetres; not greater than 0: measure the screen
    double ScreenHeight = 0; // centimetres
    bool StartMinimized = false;
    bool AutoSave = false;
    uint32_t AutoSaveInterval = 0; // milliseconds
    double StartDate = 0;          // TDateTime
    double StartDateCopy = 0;      // TDateTime
    double SaveMoment = 0;         // TDateTime of the save; written, not used at load
    uint32_t TimeOn = 0;           // seconds
    int32_t Left = 0;              // main window position, screen pixels
    int32_t Top = 0;
    long double Pixels = 0;   // extended
    long double Distance = 0; // extended, metres
    uint32_t ClicksLeft = 0;
    uint32_t ClicksRight = 0;
    uint32_t ClicksMiddle = 0;
    uint32_t WheelTicks = 0;
    long double TrackPixels = 0;   // totals at the last Clear, extended
    long double TrackDistance = 0; // extended
    uint32_t TrackClicksLeft = 0;
    uint32_t TrackClicksRight = 0;
    uint32_t TrackClicksMiddle = 0;
    uint32_t TrackWheelTicks = 0;
};

// A file that loads: its record and the grid (gridWidth x gridHeight counts, cell (x, y) at
// y * gridWidth + x). Cells missing from a short grid block are 0; bytes past the grid are
// ignored.
struct StatsFileContents {
    StatsRecord Record;
    std::vector<uint32_t> Grid;
};

// Decodes a whole file. No result means "use the defaults": the buffer is shorter than header
// plus record, or the magic or a version field is wrong. The reserved header word is not
// looked at; a bool byte other than 0 means true. Grid sizes below 0 count as 0.
std::optional<StatsFileContents> DecodeStatsFile(const uint8_t* data, size_t size, int gridWidth,
                                                 int gridHeight);

// The bytes of a whole file: header (reserved word 0), record (reserved bytes 0), then
// cellCount grid counts.
std::vector<uint8_t> EncodeStatsFile(const StatsRecord& record, const uint32_t* grid,
                                     size_t cellCount);

// What a load without a valid file starts from. The window is centred on the primary screen
// (divisions truncate toward zero), the screen size is -1 x -1 (so it is measured), the
// counters, track bases and time on are 0, auto save is on every 60000 ms, start minimized is
// off, and both start dates are now.
struct StatsDefaultsInput {
    int ScreenWidthPixels;
    int ScreenHeightPixels;
    int WindowWidth;
    int WindowHeight;
    double Now; // TDateTime
};
StatsRecord DefaultStatsRecord(const StatsDefaultsInput& input);

// The screen-size rule of a load: a stored size is used when both are greater than 0 (a NaN is
// not); otherwise the library measures the screen itself.
inline bool UseStoredScreenSize(double widthCm, double heightCm) {
    return widthCm > 0 && heightCm > 0;
}

} // namespace kurvix
