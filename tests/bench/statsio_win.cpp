// statsio.exe: a save and a load of the statistics file beside writing and reading the same
// 19 602 bytes raw, on the real file system (run under Wine by scripts/bench.sh). Each round
// times, interleaved: a raw write (fopen "wb", fwrite, fclose), a raw write flushed to the disk,
// the program's safe save (complete temporary file, flushed, renamed over the old one), a raw
// read and the program's load (read and decode). Prints medians and ratios to the raw figures.
//   statsio.exe FOLDER [rounds, default 200]
#include "StatsStore_win.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace kurvix;

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void RawWrite(const std::string& path, const std::vector<uint8_t>& bytes, bool flush) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    if (flush) {
        std::fflush(f);
        HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
        FlushFileBuffers(h);
    }
    std::fclose(f);
}

size_t RawRead(const std::string& path, std::vector<uint8_t>& buffer) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    const size_t got = std::fread(buffer.data(), 1, buffer.size(), f);
    std::fclose(f);
    return got;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: statsio FOLDER [rounds]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 200;
    const std::string raw = folder + "\\raw.dat", stats = folder + "\\Kurvix.dat";

    StatsRecord record;
    record.Pixels = 123456789;
    record.Distance = 1234.5;
    record.AutoSave = true;
    record.AutoSaveInterval = 60000;
    std::vector<uint32_t> grid(80 * 60);
    for (size_t i = 0; i < grid.size(); ++i)
        grid[i] = static_cast<uint32_t>(i * 7 % 1000);
    const std::vector<uint8_t> bytes = EncodeStatsFile(record, grid.data(), grid.size());
    std::vector<uint8_t> buffer(bytes.size());

    std::vector<double> rawWrite, rawFlushed, save, rawRead, load;
    size_t loaded = 0;
    for (int i = 0; i < rounds; ++i) {
        double t0 = Now();
        RawWrite(raw, bytes, false);
        double t1 = Now();
        RawWrite(raw, bytes, true);
        double t2 = Now();
        const bool saved = SaveStatsFile(stats, record, grid.data(), grid.size()).Ok();
        double t3 = Now();
        const size_t got = RawRead(raw, buffer);
        double t4 = Now();
        loaded += LoadStatsFile(stats, 80, 60) ? 1 : 0;
        double t5 = Now();
        if (!saved || got != bytes.size()) {
            std::fprintf(stderr, "round %d: save or raw read failed\n", i);
            return 1;
        }
        rawWrite.push_back(t1 - t0);
        rawFlushed.push_back(t2 - t1);
        save.push_back(t3 - t2);
        rawRead.push_back(t4 - t3);
        load.push_back(t5 - t4);
    }
    if (loaded != static_cast<size_t>(rounds)) {
        std::fprintf(stderr, "a load failed\n");
        return 1;
    }
    const double w = Median(rawWrite), wf = Median(rawFlushed), s = Median(save),
                 r = Median(rawRead), l = Median(load);
    std::printf("%zu bytes, %d rounds, medians:\n", bytes.size(), rounds);
    std::printf("  raw write        %9.1f us\n", w * 1e6);
    std::printf("  raw write+flush  %9.1f us\n", wf * 1e6);
    std::printf("  safe save        %9.1f us   save/raw write %.2f   save/raw write+flush %.2f\n",
                s * 1e6, w > 0 ? s / w : 0, wf > 0 ? s / wf : 0);
    std::printf("  raw read         %9.1f us\n", r * 1e6);
    std::printf("  load (decode)    %9.1f us   load/raw read %.2f\n", l * 1e6, r > 0 ? l / r : 0);
    DeleteFileA(raw.c_str());
    DeleteFileA(stats.c_str());
    return 0;
}
