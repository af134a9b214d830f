// hookburst: the time a thread takes to retrieve bursts of mouse messages with the hook library's
// hook installed, beside the same bursts with an empty hook (EmptyHook.dll, which only passes
// each message on) and with no hook at all, measured in one run. Both hooks are global
// (SetWindowsHookExA(WH_MOUSE, ..., module, 0)), as the program installs ours.
//
// The messages are real input: SendInput into the desktop, delivered to a window of ours that
// covers the screen and holds the capture; WH_MOUSE hooks run as the thread retrieves them.
//   move:  one absolute move injected and retrieved at a time (queued moves merge into one);
//          the time covers the retrieval.
//   wheel: N wheel messages queued first; the time covers retrieving them all.
// Each round runs every burst with every hook; the ratios are medians of per-round ratios.
// Usage: hookburst [messages a burst, default 200] [rounds, default 15]. Exit code 1 when a
// burst lost messages or a hook did not run for every one of them.
#include "EmptyHook.h"
#include "KurvixHook.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct HookKind {
    const char* name;
    bool (*install)();
    void (*remove)();
    uint32_t (*calls)(); // calls of the hook procedure so far; null: no hook
};

bool InstallNothing() { return true; }
void RemoveNothing() {}

enum HookIndex { kNone, kEmpty, kOurs };

// In the order of HookIndex.
const HookKind kHooks[] = {
    {"none", InstallNothing, RemoveNothing, nullptr},
    {"empty", InstallEmptyHook, RemoveEmptyHook, GetEmptyHookCalls},
    {"ours", SetHook, RemoveHook, GetHookCount},
};
constexpr int kHookKinds = sizeof kHooks / sizeof kHooks[0];

class InstalledHook {
  public:
    explicit InstalledHook(const HookKind& kind) : kind_(kind), ok_(kind.install()) {}
    ~InstalledHook() { kind_.remove(); }
    InstalledHook(const InstalledHook&) = delete;
    InstalledHook& operator=(const InstalledHook&) = delete;
    bool ok() const { return ok_; }

  private:
    const HookKind& kind_;
    bool ok_;
};

// A borderless topmost window over the whole primary screen, in front and holding the mouse
// capture, so that every injected mouse message comes to this thread.
class BurstWindow {
  public:
    BurstWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW); // a fixed cursor: no change to draw
        wc.lpszClassName = "KurvixHookBurst";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "hookburst", WS_POPUP | WS_VISIBLE,
                                0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, wc.hInstance, nullptr);
        if (hwnd_) {
            SetForegroundWindow(hwnd_);
            SetFocus(hwnd_);
            SetCapture(hwnd_);
        }
    }
    ~BurstWindow() {
        if (hwnd_) {
            ReleaseCapture();
            DestroyWindow(hwnd_);
        }
    }
    BurstWindow(const BurstWindow&) = delete;
    BurstWindow& operator=(const BurstWindow&) = delete;
    explicit operator bool() const { return hwnd_ != nullptr; }

  private:
    HWND hwnd_ = nullptr;
};

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Retrieves and dispatches messages until `want` messages `message` came, or none for a second.
// Returns how many came.
uint32_t Retrieve(UINT message, uint32_t want) {
    uint32_t got = 0;
    MSG m;
    while (got < want) {
        if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            got += m.message == message;
            DispatchMessageA(&m);
        } else if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT) ==
                   WAIT_TIMEOUT) {
            break;
        }
    }
    return got;
}

// Takes what is still queued from earlier bursts.
void Drain() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&m);
}

INPUT MouseInput(DWORD flags, LONG dx, LONG dy, DWORD data) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.mouseData = data;
    in.mi.dwFlags = flags;
    return in;
}

// An absolute move to screen pixel (x, y).
INPUT MoveTo(int x, int y) {
    const LONG dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy, 0);
}

struct BurstResult {
    double seconds;
    uint32_t delivered;
};

// Injecting a move warps the X pointer and costs far more than delivering it; only the
// retrieval is timed.
BurstResult MoveBurst(uint32_t n) {
    INPUT moves[2] = {MoveTo(200, 200), MoveTo(203, 204)};
    BurstResult r{0, 0};
    for (uint32_t i = 0; i < n; ++i) {
        SendInput(1, &moves[i & 1], sizeof(INPUT));
        const double start = Now();
        r.delivered += Retrieve(WM_MOUSEMOVE, 1);
        r.seconds += Now() - start;
    }
    return r;
}

BurstResult WheelBurst(uint32_t n) {
    std::vector<INPUT> ticks(n, MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA));
    SendInput(n, ticks.data(), sizeof(INPUT));
    const double start = Now();
    const uint32_t delivered = Retrieve(WM_MOUSEWHEEL, n);
    return {Now() - start, delivered};
}

struct BurstKind {
    const char* name;
    BurstResult (*run)(uint32_t n);
};

const BurstKind kBursts[] = {{"move", MoveBurst}, {"wheel", WheelBurst}};
constexpr int kBurstKinds = sizeof kBursts / sizeof kBursts[0];

// Microseconds a message, one figure a round, and whether every burst was whole and hooked.
struct Series {
    std::vector<double> micros;
    uint64_t hookCalls = 0;
    uint64_t delivered = 0;
    bool complete = true;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The median over the rounds of a / b, each pair from the same round: slow drifts of a busy
// machine cancel out.
double MedianRatio(const Series& a, const Series& b) {
    std::vector<double> ratios;
    for (size_t i = 0; i < a.micros.size() && i < b.micros.size(); ++i)
        ratios.push_back(a.micros[i] / b.micros[i]);
    return Median(ratios);
}

class Bench {
  public:
    Bench(uint32_t n, int rounds) : n_(n), rounds_(rounds) {}

    // One untimed round first: it brings the hook libraries into the hook chain. Each round
    // starts with another hook kind.
    bool Run() {
        for (int round = 0; round <= rounds_; ++round)
            for (int k = 0; k < kHookKinds; ++k)
                if (!RunHook((round + k) % kHookKinds, round > 0))
                    return false;
        return true;
    }

    bool Report() const {
        std::printf("hookburst: %u messages a burst, %d rounds, global WH_MOUSE hooks; "
                    "medians over the rounds\n",
                    n_, rounds_);
        std::printf("%-6s %-6s %12s %18s\n", "burst", "hook", "us/message", "hook calls/message");
        bool ok = true;
        for (int b = 0; b < kBurstKinds; ++b) {
            for (int h = 0; h < kHookKinds; ++h)
                ok = ReportSeries(b, h) && ok;
            const Series* s = series_[b];
            std::printf("%s: ours/empty = %.2f  ours/none = %.2f  empty/none = %.2f\n",
                        kBursts[b].name, MedianRatio(s[kOurs], s[kEmpty]),
                        MedianRatio(s[kOurs], s[kNone]), MedianRatio(s[kEmpty], s[kNone]));
        }
        return ok;
    }

  private:
    bool RunHook(int h, bool timed) {
        const HookKind& hook = kHooks[h];
        InstalledHook installed(hook);
        if (!installed.ok()) {
            std::fprintf(stderr, "hookburst: could not install the %s hook\n", hook.name);
            return false;
        }
        for (int b = 0; b < kBurstKinds; ++b) {
            Drain();
            const uint32_t before = hook.calls ? hook.calls() : 0;
            const BurstResult r = kBursts[b].run(n_);
            const uint32_t calls = hook.calls ? hook.calls() - before : 0;
            if (timed)
                Record(series_[b][h], r, calls, hook.calls != nullptr);
        }
        return true;
    }

    void Record(Series& s, const BurstResult& r, uint32_t calls, bool hooked) const {
        s.micros.push_back(r.seconds * 1e6 / n_);
        s.hookCalls += calls;
        s.delivered += r.delivered;
        s.complete = s.complete && r.delivered == n_ && (!hooked || calls >= n_);
    }

    bool ReportSeries(int b, int h) const {
        const Series& s = series_[b][h];
        char calls[32] = "-";
        if (kHooks[h].calls)
            std::snprintf(calls, sizeof calls, "%.2f", double(s.hookCalls) / double(s.delivered));
        std::printf("%-6s %-6s %12.2f %18s%s\n", kBursts[b].name, kHooks[h].name, Median(s.micros),
                    calls, s.complete ? "" : "  INCOMPLETE: messages lost or not hooked");
        return s.complete;
    }

    uint32_t n_;
    int rounds_;
    Series series_[kBurstKinds][kHookKinds];
};

} // namespace

int main(int argc, char** argv) {
    const uint32_t n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 15;
    if (n == 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: hookburst [messages a burst] [rounds]\n");
        return 2;
    }
    BurstWindow window;
    if (!window) {
        std::fprintf(stderr, "hookburst: no window\n");
        return 1;
    }
    Bench bench(n, rounds);
    if (!bench.Run())
        return 1;
    return bench.Report() ? 0 : 1;
}
