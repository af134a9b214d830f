// guardholder: holds the hook library's guard the way a process does that dies inside it.
//
//   guardholder             finds the shared block at the start of KurvixHook.dll's ".shared"
//                           section, stores its own process id in the guard word the way a
//                           holder does, prints "held" and waits to be killed
//   guardholder exit-race   two threads call an export in a loop while the main thread ends the
//                           process, which stops them wherever they are, often inside the guard
#include "KurvixHook.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

uint32_t* SharedGuardWord() {
    auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA("KurvixHook.dll"));
    if (!base)
        return nullptr;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (unsigned i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
        if (std::memcmp(section->Name, ".shared", 8) == 0)
            return reinterpret_cast<uint32_t*>(base + section->VirtualAddress);
    return nullptr;
}

} // namespace

DWORD WINAPI CallExportsForEver(LPVOID started) {
    InterlockedExchange(static_cast<LONG*>(started), 1);
    for (;;)
        GetTotalPixelClicks();
}

int ExitRace() {
    LONG started = 0;
    for (int i = 0; i < 2; ++i)
        CloseHandle(CreateThread(nullptr, 0, CallExportsForEver, &started, 0, nullptr));
    while (!started)
        Sleep(1);
    Sleep(50);
    ExitProcess(0);
}

int HoldUntilKilled() {
    uint32_t* guard = SharedGuardWord();
    if (!guard) {
        std::printf("no-shared-section\n");
        return 1;
    }
    uint32_t expected = 0;
    if (!__atomic_compare_exchange_n(guard, &expected, GetCurrentProcessId(), false,
                                     __ATOMIC_ACQUIRE, __ATOMIC_RELAXED)) {
        std::printf("busy\n");
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}

int main(int argc, char** argv) {
    GetPixelFrequencyWidth(); // binds the library by import, as the program does
    if (argc > 1 && std::strcmp(argv[1], "exit-race") == 0)
        return ExitRace();
    return HoldUntilKilled();
}
