// What the hook procedure does for one mouse event, minus the Win32 calls around it: acquire the
// guard, apply the event, release. Each kind of event is timed beside an uncontended acquire and
// release of the guard alone, in the same run, and the run ends with one ratio line per kind
// ("move/guard = x.xx").
#include "Accounting.h"
#include "FakeHookPlatform.h"
#include "Guard.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace kurvix {
namespace {

const char kGuardName[] = "BM_Guard";

class StillCursor final : public CursorMover {
  public:
    void MoveCursor(int32_t, int32_t) override {}
};

// The block lives at the start of a page, as it does in the library's own data section; on the
// stack, its cells can alias the callee's stack slots and make the figures depend on layout.
alignas(4096) SharedBlock g_block;

// The block reset to a 1024 x 768 screen of 32 x 24 cm, as the library sets it up.
SharedBlock& ScreenBlock() {
    g_block = FreshBlock();
    g_block.MetresPerPixelX = g_block.MetresPerPixelY = 0.00025;
    g_block.CellsPerPixelX = 80 / 1024.0;
    g_block.CellsPerPixelY = 60 / 768.0;
    return g_block;
}

void BM_Guard(benchmark::State& state) {
    SharedBlock& block = ScreenBlock();
    for (auto _ : state) {
        GuardLock lock(block.Guard, test::FakePlatform().guard);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Guard);

// One event per iteration, cycling through four positions so that every move has a path to add.
void BM_Event(benchmark::State& state, uint32_t message, bool circling) {
    static const int32_t kPositions[4][2] = {{100, 100}, {103, 104}, {510, 380}, {97, 99}};
    SharedBlock& block = ScreenBlock();
    block.EasterMode = circling;
    StillCursor cursor;
    unsigned i = 0;
    for (auto _ : state) {
        const int32_t* p = kPositions[i++ & 3];
        GuardLock lock(block.Guard, test::FakePlatform().guard);
        AccountMouseEvent(block, MouseEvent{message, p[0], p[1]}, cursor);
    }
    benchmark::DoNotOptimize(block);
}
BENCHMARK_CAPTURE(BM_Event, move, msg::MouseMove, false);
// Every second move makes a circling step: a sine, a cosine and a cursor move.
BENCHMARK_CAPTURE(BM_Event, move_circling, msg::MouseMove, true);
BENCHMARK_CAPTURE(BM_Event, click, msg::LButtonDown, false);
BENCHMARK_CAPTURE(BM_Event, wheel, msg::MouseWheel, false);

// The console report, remembering each benchmark's CPU time (the median when repeated; CPU time
// because a busy machine inflates wall time unevenly) so that the ratios come from this run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || run.run_type == Run::RT_Iteration)
                Remember(run.run_name.str(), run.GetAdjustedCPUTime(), median);
        }
    }

    void PrintRatios() const {
        const Figure* guard = Find(kGuardName);
        if (!guard || guard->time <= 0)
            return;
        const std::string prefix = "BM_Event/";
        std::printf("CPU time per event / guard acquire+release alone (%.2f ns):\n", guard->time);
        for (const Figure& f : figures_)
            if (f.name.compare(0, prefix.size(), prefix) == 0)
                std::printf("%s/guard = %.2f\n", f.name.c_str() + prefix.size(),
                            f.time / guard->time);
    }

  private:
    struct Figure {
        std::string name;
        double time;
        bool median;
    };

    const Figure* Find(const std::string& name) const {
        for (const Figure& f : figures_)
            if (f.name == name)
                return &f;
        return nullptr;
    }

    // In the order of the run; a median replaces the single repetitions' figures.
    void Remember(const std::string& name, double time, bool median) {
        Figure* known = const_cast<Figure*>(Find(name));
        if (!known)
            figures_.push_back(Figure{name, time, median});
        else if (median || !known->median)
            *known = Figure{name, time, median};
    }

    std::vector<Figure> figures_;
};

} // namespace
} // namespace kurvix

int main(int argc, char** argv) {
    kurvix::test::UseExtendedPrecision(); // the library's x87 precision
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    kurvix::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
