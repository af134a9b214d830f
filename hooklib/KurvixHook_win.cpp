// KurvixHook.dll: the shared block in its ".shared" section, the per-process hook and module
// handles, the entry routine and the exports.
#define KURVIXHOOK_BUILD
#include "KurvixHook.h"

#include "HookPlatform_win.h"

using kurvix::BlockAccess;
using kurvix::SharedBlock;

// One copy for every process that loads the library.
SharedBlock g_block __attribute__((section(".shared"), shared)) = kurvix::FreshBlock();

namespace {

HHOOK HookHandle = nullptr;       // the hook this process installed, if any
HINSTANCE ModuleHandle = nullptr; // this library in this process

BlockAccess Access() { return BlockAccess(g_block, kurvix::Win32HookPlatform()); }

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
    return kurvix::HandleHookCall(g_block, HookHandle, code, wParam, lParam);
}

kurvix::GuardLock LockBlock() {
    return kurvix::GuardLock(g_block.Guard, kurvix::Win32HookPlatform().guard);
}

} // namespace

bool SetHook() {
    RemoveHook();
    kurvix::GuardLock lock = LockBlock();
    HookHandle = SetWindowsHookExA(WH_MOUSE, MouseHookProc, ModuleHandle, 0);
    return HookHandle != nullptr;
}

void RemoveHook() {
    kurvix::GuardLock lock = LockBlock();
    if (HookHandle)
        UnhookWindowsHookEx(HookHandle);
    HookHandle = nullptr;
}

uint32_t GetHookCount() { return Access().GetHookCount(); }
void SetHookCount(uint32_t count) { Access().SetHookCount(count); }
void SetScreenSize(double widthCm, double heightCm) { Access().SetScreenSize(widthCm, heightCm); }
void SetScreenSizeAuto() { Access().SetScreenSizeAuto(); }
double GetScreenWidth() { return Access().GetScreenWidth(); }
double GetScreenHeight() { return Access().GetScreenHeight(); }
void UpdateScreenParameters() { Access().UpdateScreenParameters(); }
void* GetPreviousHandle() { return Access().GetPreviousHandle(); }
void SetPreviousHandle(void* handle) { Access().SetPreviousHandle(handle); }
long double GetPixels() { return Access().GetPixels(); }
void SetPixels(long double pixels) { Access().SetPixels(pixels); }
long double GetDistance() { return Access().GetDistance(); }
void SetDistance(long double metres) { Access().SetDistance(metres); }
uint32_t GetMouseClicksLeft() { return Access().GetMouseClicksLeft(); }
void SetMouseClicksLeft(uint32_t count) { Access().SetMouseClicksLeft(count); }
uint32_t GetMouseClicksRight() { return Access().GetMouseClicksRight(); }
void SetMouseClicksRight(uint32_t count) { Access().SetMouseClicksRight(count); }
uint32_t GetMouseClicksMiddle() { return Access().GetMouseClicksMiddle(); }
void SetMouseClicksMiddle(uint32_t count) { Access().SetMouseClicksMiddle(count); }
uint32_t GetMouseWheelTicks() { return Access().GetMouseWheelTicks(); }
void SetMouseWheelTicks(uint32_t count) { Access().SetMouseWheelTicks(count); }
uint32_t GetPixelFrequency(int32_t x, int32_t y) { return Access().GetPixelFrequency(x, y); }
void SetPixelFrequency(int32_t x, int32_t y, uint32_t count) {
    Access().SetPixelFrequency(x, y, count);
}
uint32_t GetTotalPixelClicks() { return Access().GetTotalPixelClicks(); }
void GetMinMaxPixelFrequency(int32_t& min, int32_t& max) {
    Access().GetMinMaxPixelFrequency(min, max);
}
int32_t GetPixelFrequencyWidth() { return BlockAccess::GetPixelFrequencyWidth(); }
int32_t GetPixelFrequencyHeight() { return BlockAccess::GetPixelFrequencyHeight(); }
bool GetEasterMode() { return Access().GetEasterMode(); }
void SetEasterMode(bool on) { Access().SetEasterMode(on); }

// A fresh block (or one whose size is 0) takes the screen's size from the display; a size that
// some process set is never replaced here.
// At process exit (reserved non-null) the other threads are already gone; one that was stopped
// inside the guard left it held by this process, which would make the hook's removal below, and
// then every process on the desktop, wait for ever.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        ModuleHandle = instance;
        kurvix::StartHookRuntime();
        if (!Access().HasScreenSize())
            SetScreenSizeAuto();
    } else if (reason == DLL_PROCESS_DETACH) {
        if (reserved)
            kurvix::ReleaseGuardHeldBy(g_block.Guard, GetCurrentProcessId());
        RemoveHook();
        kurvix::StopHookRuntime();
    }
    return TRUE;
}
