// A mouse hook that does nothing but call the next hook: what any WH_MOUSE hook costs. Its one
// addition is a plain count of its calls in this process, so that a run can show it really ran.
#define EMPTYHOOK_BUILD
#include "EmptyHook.h"

#include <windows.h>

namespace {

HHOOK g_hook = nullptr;
HINSTANCE g_module = nullptr;
uint32_t g_calls = 0;

LRESULT CALLBACK EmptyMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    ++g_calls;
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

bool InstallEmptyHook() {
    RemoveEmptyHook();
    g_hook = SetWindowsHookExA(WH_MOUSE, EmptyMouseProc, g_module, 0);
    return g_hook != nullptr;
}

void RemoveEmptyHook() {
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

uint32_t GetEmptyHookCalls() { return g_calls; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    else if (reason == DLL_PROCESS_DETACH)
        RemoveEmptyHook();
    return TRUE;
}
