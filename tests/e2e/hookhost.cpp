// hookhost: a small Windows program that drives KurvixHook.dll through its exports only, for the
// end-to-end tests.
//
//   hookhost serve [SECONDS]     installs the hook, prints "hook=1" (or 0), then pumps messages
//                                until `hookhost stop` or SECONDS (default 120) have passed,
//                                removes the hook and prints "removed"
//   hookhost stop                ends a serving hookhost of the same Wine prefix
//   hookhost read                prints every figure of the shared block as key=value lines
//   hookhost reset               sets every counter, the totals and the grid to 0
//   hookhost set-size W H        SetScreenSize(W, H), centimetres (any double, e.g. 1e308)
//   hookhost place TITLE X Y W H moves and sizes the top-level window with that title
//   hookhost edit TITLE          prints the text, the selection and the screen rectangle of the
//                                edit control in that window
#include "KurvixHook.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const char kStopEventName[] = "KurvixHookHostStop";

// A kernel handle that closes itself.
struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// Pumps this thread's messages until `stop` is signalled or `seconds` have passed.
void PumpUntil(HANDLE stop, DWORD seconds) {
    const ULONGLONG end = GetTickCount64() + seconds * 1000ull;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return;
        const DWORD r =
            MsgWaitForMultipleObjects(1, &stop, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + 1)
            return; // stopped, timed out or failed
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

int Serve(int argc, char** argv) {
    const DWORD seconds = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 120;
    OwnedHandle stop(CreateEventA(nullptr, TRUE, FALSE, kStopEventName));
    if (!stop.get())
        return 2;
    const bool hooked = SetHook();
    std::printf("hook=%d\n", hooked ? 1 : 0);
    std::fflush(stdout);
    if (!hooked)
        return 1;
    PumpUntil(stop.get(), seconds);
    RemoveHook();
    std::printf("removed\n");
    return 0;
}

int Stop() {
    OwnedHandle stop(OpenEventA(EVENT_MODIFY_STATE, FALSE, kStopEventName));
    return stop.get() && SetEvent(stop.get()) ? 0 : 1;
}

int Read() {
    std::printf("hook_count=%u\n", GetHookCount());
    std::printf("pixels=%.0f\n", static_cast<double>(GetPixels()));
    std::printf("distance=%.9g\n", static_cast<double>(GetDistance()));
    std::printf("clicks_left=%u\n", GetMouseClicksLeft());
    std::printf("clicks_right=%u\n", GetMouseClicksRight());
    std::printf("clicks_middle=%u\n", GetMouseClicksMiddle());
    std::printf("wheel=%u\n", GetMouseWheelTicks());
    std::printf("screen_width=%.9g\n", GetScreenWidth());
    std::printf("screen_height=%.9g\n", GetScreenHeight());
    std::printf("total_clicks=%u\n", GetTotalPixelClicks());
    int32_t min = 0, max = 0;
    GetMinMaxPixelFrequency(min, max);
    std::printf("min=%d\nmax=%d\n", min, max);
    std::printf("easter=%d\n", GetEasterMode() ? 1 : 0);
    std::printf("previous_handle=%p\n", GetPreviousHandle());
    const int32_t width = GetPixelFrequencyWidth(), height = GetPixelFrequencyHeight();
    std::printf("grid=%dx%d\n", width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if (const uint32_t n = GetPixelFrequency(x, y))
                std::printf("cell.%d.%d=%u\n", x, y, n);
    return 0;
}

int Reset() {
    SetHookCount(0);
    SetPixels(0);
    SetDistance(0);
    SetMouseClicksLeft(0);
    SetMouseClicksRight(0);
    SetMouseClicksMiddle(0);
    SetMouseWheelTicks(0);
    for (int32_t y = 0; y < GetPixelFrequencyHeight(); ++y)
        for (int32_t x = 0; x < GetPixelFrequencyWidth(); ++x)
            SetPixelFrequency(x, y, 0);
    return 0;
}

int Place(char** argv) {
    const HWND window = FindWindowA(nullptr, argv[2]);
    if (!window)
        return 1;
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    const int w = std::atoi(argv[5]), h = std::atoi(argv[6]);
    return SetWindowPos(window, HWND_TOP, x, y, w, h, SWP_SHOWWINDOW) ? 0 : 1;
}

int Edit(char** argv) {
    const HWND window = FindWindowA(nullptr, argv[2]);
    const HWND edit = window ? FindWindowExA(window, nullptr, "Edit", nullptr) : nullptr;
    if (!edit)
        return 1;
    char text[256] = "";
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    const DWORD selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
    RECT r{};
    GetWindowRect(edit, &r);
    std::printf("text=%s\nselection=%u,%u\n", text, LOWORD(selection), HIWORD(selection));
    std::printf("rect=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    if (!std::strcmp(command, "serve"))
        return Serve(argc, argv);
    if (!std::strcmp(command, "stop"))
        return Stop();
    if (!std::strcmp(command, "read"))
        return Read();
    if (!std::strcmp(command, "reset"))
        return Reset();
    if (!std::strcmp(command, "set-size") && argc == 4) {
        SetScreenSize(std::strtod(argv[2], nullptr), std::strtod(argv[3], nullptr));
        return 0;
    }
    if (!std::strcmp(command, "place") && argc == 7)
        return Place(argv);
    if (!std::strcmp(command, "edit") && argc == 3)
        return Edit(argv);
    std::fprintf(stderr, "usage: hookhost serve [SECONDS] | stop | read | reset | "
                         "set-size W H | place TITLE X Y W H | edit TITLE\n");
    return 2;
}
