// guardholder: takes the hook library's guard and keeps it, as a process would that dies inside
// a hook call. It finds the shared block at the start of KurvixHook.dll's ".shared" section,
// stores its own process id in the guard word the way a holder does, prints "held" and waits
// to be killed.
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

int main() {
    GetPixelFrequencyWidth(); // binds the library by import, as the program does
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
