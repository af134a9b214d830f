// Building the full-screen picture at 1920 x 1080 (the snapshot itself excluded) beside a plain
// copy of a bitmap of the same size. Each iteration times one copy and one fill, interleaved, so
// both see the same machine load; the row shows both figures and their ratio ("fill/copy").
#include "FullscreenMath.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace kurvix {
namespace {

constexpr int32_t kWidth = 1920, kHeight = 1080;
constexpr GridSize kGrid{80, 60};

double Seconds(std::chrono::steady_clock::time_point from,
               std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void BM_FillBesideCopy(benchmark::State& state) {
    const size_t pixels = static_cast<size_t>(kWidth) * kHeight;
    std::vector<uint32_t> snapshot(pixels), copy(pixels), picture(pixels);
    for (size_t i = 0; i < pixels; ++i)
        snapshot[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    std::vector<uint32_t> colours(static_cast<size_t>(kGrid.width * kGrid.height));
    for (size_t i = 0; i < colours.size(); ++i)
        colours[i] = static_cast<uint32_t>(i * 40503u) & 0xFFFFFFu;
    const PixelRows rows{reinterpret_cast<uint8_t*>(picture.data()), kWidth * 4, kWidth, kHeight};

    double copySeconds = 0, fillSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::memcpy(copy.data(), snapshot.data(), pixels * 4);
        benchmark::ClobberMemory();
        const auto copied = std::chrono::steady_clock::now();
        BlendGridOverSnapshot(rows, kGrid, colours.data());
        benchmark::ClobberMemory();
        const auto filled = std::chrono::steady_clock::now();
        copySeconds += Seconds(start, copied);
        fillSeconds += Seconds(copied, filled);
        state.SetIterationTime(Seconds(start, filled));
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["copy_ms"] = copySeconds / n * 1e3;
    state.counters["fill_ms"] = fillSeconds / n * 1e3;
    state.counters["fill/copy"] = copySeconds > 0 ? fillSeconds / copySeconds : 0;
}
BENCHMARK(BM_FillBesideCopy)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kurvix

BENCHMARK_MAIN();
