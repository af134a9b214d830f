// probe.exe: looks at and drives the windows of other programs for the end-to-end tests.
// Prints key=value lines; exit code 0 on success, 1 when the window is not found or the action
// failed, 2 on a usage error.
//
//   probe list                         every top-level window (hidden ones too), one per line
//   probe find     SELECT [--wait S] [--gone]
//                  the first matching window as key=value lines; --wait polls up to S seconds
//                  for a match (with --gone: for no match)
//   probe children SELECT              the child controls with their texts (WM_GETTEXT)
//   probe menu     SELECT [--open]     the menu bar's items with check marks; --open prepares
//                                      each submenu as opening it would (WM_INITMENUPOPUP)
//   probe command  SELECT --item PATH  runs the menu command of the item PATH ("&File/E&xit")
//   probe key      SELECT --vk N       brings the window forward and types the key (SendInput)
//   probe close    SELECT              posts WM_CLOSE
//   probe foreground                   the foreground window
// SELECT: any of --class NAME, --title TEXT, --visible 0|1, --menu 0|1, --pid N (Windows
// process id), --not-pid N.
#include "probehook.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Selector {
    std::string className, title;
    int visible = -1, menu = -1;
    DWORD pid = 0, notPid = 0;
    bool hasClass = false, hasTitle = false;
};

struct Options {
    std::string command;
    Selector select;
    double wait = 0;
    bool gone = false, open = false;
    std::string item;
    int vk = 0;
};

std::string ClassOf(HWND hwnd) {
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The window's text as its owner answers WM_GETTEXT (works across processes).
std::string TextOf(HWND hwnd) {
    char text[1024] = "";
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &result);
    text[sizeof text - 1] = '\0';
    return text;
}

DWORD PidOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

bool Matches(HWND hwnd, const Selector& s) {
    if (s.hasClass && ClassOf(hwnd) != s.className)
        return false;
    if (s.visible >= 0 && (IsWindowVisible(hwnd) ? 1 : 0) != s.visible)
        return false;
    if (s.menu >= 0 && (GetMenu(hwnd) ? 1 : 0) != s.menu)
        return false;
    if (s.pid && PidOf(hwnd) != s.pid)
        return false;
    if (s.notPid && PidOf(hwnd) == s.notPid)
        return false;
    return !s.hasTitle || TextOf(hwnd) == s.title;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindFirst(const Selector& s) {
    for (HWND hwnd : TopLevelWindows())
        if (Matches(hwnd, s))
            return hwnd;
    return nullptr;
}

void PrintWindowLine(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::printf("window hwnd=%p pid=%lu visible=%d iconic=%d menu=%d left=%ld top=%ld width=%ld "
                "height=%ld class=%s title=%s\n",
                static_cast<void*>(hwnd), PidOf(hwnd), IsWindowVisible(hwnd) ? 1 : 0,
                IsIconic(hwnd) ? 1 : 0, GetMenu(hwnd) ? 1 : 0, r.left, r.top, r.right - r.left,
                r.bottom - r.top, ClassOf(hwnd).c_str(), TextOf(hwnd).c_str());
}

void PrintWindowKeys(HWND hwnd) {
    RECT r{}, c{};
    GetWindowRect(hwnd, &r);
    GetClientRect(hwnd, &c);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    std::printf("client_left=%ld\nclient_top=%ld\nclient_width=%ld\nclient_height=%ld\n", origin.x,
                origin.y, c.right, c.bottom);
    std::printf("hwnd=%p\npid=%lu\nvisible=%d\niconic=%d\nmenu=%d\nenabled=%d\nforeground=%d\n"
                "left=%ld\ntop=%ld\nwidth=%ld\nheight=%ld\nclass=%s\ntitle=%s\n",
                static_cast<void*>(hwnd), PidOf(hwnd), IsWindowVisible(hwnd) ? 1 : 0,
                IsIconic(hwnd) ? 1 : 0, GetMenu(hwnd) ? 1 : 0, IsWindowEnabled(hwnd) ? 1 : 0,
                GetForegroundWindow() == hwnd ? 1 : 0, r.left, r.top, r.right - r.left,
                r.bottom - r.top, ClassOf(hwnd).c_str(), TextOf(hwnd).c_str());
}

int Find(const Options& o) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(o.wait * 1000);
    for (;;) {
        HWND hwnd = FindFirst(o.select);
        if (o.gone ? hwnd == nullptr : hwnd != nullptr) {
            if (hwnd)
                PrintWindowKeys(hwnd);
            std::printf("found=%d\n", hwnd ? 1 : 0);
            return 0;
        }
        if (static_cast<LONG>(GetTickCount() - end) >= 0) {
            std::printf("found=%d\n", hwnd ? 1 : 0);
            return 1;
        }
        Sleep(100);
    }
}

int Children(HWND hwnd) {
    std::vector<HWND> children;
    EnumChildWindows(hwnd, Collect, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children)
        std::printf("child hwnd=%p id=%ld visible=%d enabled=%d class=%s text=%s\n",
                    static_cast<void*>(child), static_cast<long>(GetDlgCtrlID(child)),
                    IsWindowVisible(child) ? 1 : 0, IsWindowEnabled(child) ? 1 : 0,
                    ClassOf(child).c_str(), TextOf(child).c_str());
    std::printf("children=%zu\n", children.size());
    return 0;
}

// The menu description, made inside the window's process by probehook.dll.
bool DescribeMenu(HWND hwnd, bool open, std::string& out) {
    HMODULE lib = LoadLibraryA("probehook.dll");
    if (!lib)
        return false;
    auto shared = reinterpret_cast<ProbeShared* (*)()>(
        reinterpret_cast<void*>(GetProcAddress(lib, "ProbeSharedBlock")))();
    auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(lib, "ProbeCallWndProc")));
    shared->window = hwnd;
    shared->open = open ? 1 : 0;
    shared->done = 0;
    shared->text[0] = '\0';
    HHOOK hook =
        SetWindowsHookExA(WH_CALLWNDPROC, proc, lib, GetWindowThreadProcessId(hwnd, nullptr));
    if (!hook)
        return false;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, RegisterWindowMessageA(kProbeMessage), 0, 0, SMTO_ABORTIFHUNG, 5000,
                        &result);
    UnhookWindowsHookEx(hook);
    out = shared->text;
    return shared->done != 0;
}

int Menu(HWND hwnd, bool open) {
    std::string text;
    if (!DescribeMenu(hwnd, open, text)) {
        std::printf("menu=unreadable\n");
        return 1;
    }
    std::fputs(text.c_str(), stdout);
    return 0;
}

// The command id of the item whose path is `path`, from the menu description.
int ItemId(const std::string& description, const std::string& path) {
    size_t pos = 0;
    while (pos < description.size()) {
        const size_t eol = description.find('\n', pos);
        const std::string line = description.substr(pos, eol - pos);
        pos = eol == std::string::npos ? description.size() : eol + 1;
        const size_t at = line.find(" path=");
        if (at != std::string::npos && line.substr(at + 6) == path)
            return std::atoi(line.c_str() + line.find("id=") + 3);
    }
    return -1;
}

int Command(HWND hwnd, const std::string& item) {
    std::string text;
    const int id = DescribeMenu(hwnd, false, text) ? ItemId(text, item) : -1;
    if (id < 0) {
        std::printf("command=unknown\n");
        return 1;
    }
    // Sent, so that the item's work is done when the probe returns; an item that opens a modal
    // window returns at the time limit.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_ABORTIFHUNG, 3000, &result);
    std::printf("command=%d\n", id);
    return 0;
}

void TypeKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

int Key(HWND hwnd, int vk) {
    SetForegroundWindow(hwnd);
    for (int i = 0; i < 100 && GetForegroundWindow() != hwnd; ++i)
        Sleep(50);
    const int foreground = GetForegroundWindow() == hwnd ? 1 : 0;
    TypeKey(static_cast<WORD>(vk));
    std::printf("key=%d\nforeground=%d\n", vk, foreground);
    return foreground ? 0 : 1;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    if (argc < 2)
        return false;
    o.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        const char* v = hasValue ? argv[i + 1] : "";
        if (a == "--gone")
            o.gone = true;
        else if (a == "--open")
            o.open = true;
        else if (!hasValue)
            return false;
        else if (a == "--class")
            o.select.className = v, o.select.hasClass = true;
        else if (a == "--title")
            o.select.title = v, o.select.hasTitle = true;
        else if (a == "--visible")
            o.select.visible = std::atoi(v);
        else if (a == "--menu")
            o.select.menu = std::atoi(v);
        else if (a == "--pid")
            o.select.pid = std::strtoul(v, nullptr, 0);
        else if (a == "--not-pid")
            o.select.notPid = std::strtoul(v, nullptr, 0);
        else if (a == "--wait")
            o.wait = std::atof(v);
        else if (a == "--item")
            o.item = v;
        else if (a == "--vk")
            o.vk = static_cast<int>(std::strtol(v, nullptr, 0));
        else
            return false;
        if (a != "--gone" && a != "--open")
            ++i;
    }
    return true;
}

int Run(const Options& o) {
    if (o.command == "list") {
        for (HWND hwnd : TopLevelWindows())
            PrintWindowLine(hwnd);
        return 0;
    }
    if (o.command == "find")
        return Find(o);
    if (o.command == "foreground") {
        HWND hwnd = GetForegroundWindow();
        if (hwnd)
            PrintWindowKeys(hwnd);
        return hwnd ? 0 : 1;
    }
    HWND hwnd = FindFirst(o.select);
    if (!hwnd) {
        std::printf("found=0\n");
        return 1;
    }
    if (o.command == "children")
        return Children(hwnd);
    if (o.command == "menu")
        return Menu(hwnd, o.open);
    if (o.command == "command")
        return Command(hwnd, o.item);
    if (o.command == "key")
        return Key(hwnd, o.vk);
    if (o.command == "close")
        return PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        std::fprintf(stderr, "usage: see the head of probe.cpp\n");
        return 2;
    }
    const int rc = Run(o);
    std::fflush(stdout);
    return rc;
}
