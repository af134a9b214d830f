// One refresh of the statistics panels and one of the distribution image, over the library's
// real export logic (BlockAccess on one block), each beside its floor in the same iteration:
// the texts of the fifteen labels beside the bare 18 library reads they are made from, and the
// mapper's colouring plus the rows of the 80 x 60 bitmap beside reading the 4 800 counts and
// copying them into the rows. Rows show both figures and their ratio.
#include "DistributionImage.h"
#include "FakeHookPlatform.h"
#include "PanelTexts.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace kurvix {
namespace {

SharedBlock gBlock = FreshBlock();
BlockAccess& Access() {
    static BlockAccess access(gBlock, test::FakePlatform());
    return access;
}

const TotalsSource kTotals{
    [] { return Access().GetDistance(); },          [] { return Access().GetPixels(); },
    [] { return Access().GetMouseClicksLeft(); },   [] { return Access().GetMouseClicksRight(); },
    [] { return Access().GetMouseClicksMiddle(); }, [] { return Access().GetMouseWheelTicks(); }};

const FrequencySource kGrid{
    [] { return static_cast<int32_t>(BlockAccess::GetPixelFrequencyWidth()); },
    [] { return static_cast<int32_t>(BlockAccess::GetPixelFrequencyHeight()); },
    [](int32_t& min, int32_t& max) { Access().GetMinMaxPixelFrequency(min, max); },
    [](int32_t x, int32_t y) { return Access().GetPixelFrequency(x, y); }};

double Seconds(std::chrono::steady_clock::time_point from,
               std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Figures of a long-running program: every label has many digits.
void FillTotals() {
    Access().SetDistance(123456.789L);
    Access().SetPixels(987654321.0L);
    Access().SetMouseClicksLeft(1234567);
    Access().SetMouseClicksRight(234567);
    Access().SetMouseClicksMiddle(34567);
    Access().SetMouseWheelTicks(4567890);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            Access().SetPixelFrequency(x, y, static_cast<uint32_t>((x * 7 + y * 13) % 500));
}

void Report(benchmark::State& state, double floorSeconds, double workSeconds, const char* floor,
            const char* work) {
    const double n = static_cast<double>(state.iterations());
    state.counters[std::string(floor) + "_us"] = floorSeconds / n * 1e6;
    state.counters[std::string(work) + "_us"] = workSeconds / n * 1e6;
    state.counters[std::string(work) + "/" + floor] =
        floorSeconds > 0 ? workSeconds / floorSeconds : 0;
}

void BM_PanelTextsBesideReads(benchmark::State& state) {
    FillTotals();
    const TrackBases track{900000000.0L, 100000.5L, 1000000, 200000, 30000, 4000000};
    const NumberSeparators separators;
    double readSeconds = 0, textSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 3; ++i) { // 18 reads, as one refresh makes
            benchmark::DoNotOptimize(kTotals.distance());
            benchmark::DoNotOptimize(kTotals.pixels());
            benchmark::DoNotOptimize(kTotals.clicksLeft());
            benchmark::DoNotOptimize(kTotals.clicksRight());
            benchmark::DoNotOptimize(kTotals.clicksMiddle());
            benchmark::DoNotOptimize(kTotals.wheelTicks());
        }
        const auto read = std::chrono::steady_clock::now();
        PanelTextArray texts = MakePanelTexts(kTotals, track, 93784, separators);
        benchmark::DoNotOptimize(texts);
        const auto made = std::chrono::steady_clock::now();
        readSeconds += Seconds(start, read);
        textSeconds += Seconds(read, made);
        state.SetIterationTime(Seconds(start, made));
    }
    Report(state, readSeconds, textSeconds, "reads", "texts");
}
BENCHMARK(BM_PanelTextsBesideReads)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_ImageBesideGridCopy(benchmark::State& state) {
    FillTotals();
    TFrequencyMapper mapper(kGrid);
    std::vector<uint32_t> bitmap(80 * 60);
    const RowAccess rows = [&bitmap](int row) { return bitmap.data() + row * 80; };
    double copySeconds = 0, imageSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                rows(y)[x] = kGrid.count(x, y);
        benchmark::ClobberMemory();
        const auto copied = std::chrono::steady_clock::now();
        mapper.UpdateColors();
        FillDistributionRows(mapper, 80, 60, rows);
        benchmark::ClobberMemory();
        const auto drawn = std::chrono::steady_clock::now();
        copySeconds += Seconds(start, copied);
        imageSeconds += Seconds(copied, drawn);
        state.SetIterationTime(Seconds(start, drawn));
    }
    Report(state, copySeconds, imageSeconds, "gridcopy", "image");
}
BENCHMARK(BM_ImageBesideGridCopy)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kurvix

BENCHMARK_MAIN();
