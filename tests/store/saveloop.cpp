// Saves the statistics file beside itself again and again, each time with other contents, so
// that a test can kill it at random moments. At start it checks the file a killed predecessor
// left: it must be a complete, valid file whose values all belong to one save.
//
// Usage: saveloop            check, then save until killed
//        saveloop COUNT      check, then save COUNT times and end
//        saveloop idle       wait a minute (keeps the Wine prefix's services up between runs)
// Prints "loaded N" (the save number found, 0 for no file) or "invalid: WHY" (exit code 1),
// then "saving" once the loop runs.
#include "StatsStore_win.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace kurvix;

constexpr int kWidth = 80;
constexpr int kHeight = 60;
constexpr size_t kCells = kWidth * kHeight;

// Save n: every value derives from n, so a file mixed from two saves is detected.
std::vector<uint8_t> SaveBytes(uint32_t n) {
    StatsRecord record;
    record.AutoSave = true;
    record.AutoSaveInterval = 60000;
    record.TimeOn = n;
    record.Pixels = n * 3.25L;
    record.ClicksLeft = n;
    std::vector<uint32_t> grid(kCells);
    for (size_t i = 0; i < kCells; ++i)
        grid[i] = n * 7919u + static_cast<uint32_t>(i);
    return EncodeStatsFile(record, grid.data(), grid.size());
}

// The save number of the file at path (0: no file), or an explanation of what is wrong.
bool CheckFile(const std::string& path, uint32_t& n, std::string& why) {
    n = 0;
    const auto bytes = ReadFileStart(path, 1 << 20);
    if (!bytes)
        return true;
    const auto contents = DecodeStatsFile(bytes->data(), bytes->size(), kWidth, kHeight);
    if (!contents) {
        why = "does not decode (" + std::to_string(bytes->size()) + " bytes)";
        return false;
    }
    n = contents->Record.ClicksLeft;
    if (*bytes != SaveBytes(n)) {
        why = "not the complete file of save " + std::to_string(n) + " (" +
              std::to_string(bytes->size()) + " bytes)";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "idle") == 0) {
        Sleep(60000);
        return 0;
    }
    const std::string path = GetStatsFileName();
    uint32_t n = 0;
    std::string why;
    if (!CheckFile(path, n, why)) {
        std::printf("invalid: %s: %s\n", path.c_str(), why.c_str());
        return 1;
    }
    std::printf("loaded %u\nsaving\n", n);
    std::fflush(stdout);
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : -1;
    for (long i = 0; count < 0 || i < count; ++i) {
        const SaveStatus status = SaveFileBytes(path, SaveBytes(++n));
        if (!status.Ok()) {
            std::printf("save failed: %s\n", SaveFailureMessage(status).c_str());
            return 1;
        }
    }
    return 0;
}
