// probehook.dll: read a window's menu bar from inside the window's own process. Menus belong to
// the process that made them, so another process cannot read their check marks; the probe sets
// this library's message hook on the window's thread, and the hook, on the probe's registered
// message, writes the menu tree into this library's shared section for the probe to read.
#include "probehook.h"

#include <cstdio>
#include <cstring>

namespace {

ProbeShared g_shared __attribute__((section(".shared"), shared)) = {};

void Append(const char* text) {
    const size_t used = std::strlen(g_shared.text);
    std::snprintf(g_shared.text + used, sizeof g_shared.text - used, "%s", text);
}

void DescribeMenu(HWND window, HMENU menu, const char* path, bool open) {
    const int count = GetMenuItemCount(menu);
    const UINT defaultId = GetMenuDefaultItem(menu, FALSE, 0);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, i);
        char itemPath[1024];
        std::snprintf(itemPath, sizeof itemPath, "%s%s%s", path, *path ? "/" : "", text);
        HMENU sub = GetSubMenu(menu, i);
        if (sub && open) // what opening it does: the window prepares the items first
            SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), i);
        char line[1400];
        std::snprintf(line, sizeof line,
                      "item id=%d checked=%d default=%d grayed=%d separator=%d path=%s\n",
                      sub ? -1 : static_cast<int>(id), (state & MF_CHECKED) ? 1 : 0,
                      (!sub && id == defaultId) ? 1 : 0, (state & MF_GRAYED) ? 1 : 0,
                      (state & MF_SEPARATOR) ? 1 : 0, itemPath);
        Append(line);
        if (sub)
            DescribeMenu(window, sub, itemPath, open);
    }
}

} // namespace

extern "C" __declspec(dllexport) ProbeShared* ProbeSharedBlock() { return &g_shared; }

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == RegisterWindowMessageA(kProbeMessage) &&
        msg->hwnd == g_shared.window && !g_shared.done) {
        g_shared.text[0] = '\0';
        if (HMENU bar = GetMenu(msg->hwnd))
            DescribeMenu(msg->hwnd, bar, "", g_shared.open != 0);
        g_shared.done = 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
