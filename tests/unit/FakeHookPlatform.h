// A hook platform for tests: a fixed process id, a display of chosen size and resolution, and
// processes that are alive unless listed as dead.
#pragma once

#include "BlockAccess.h"

#include <atomic>
#include <set>
#include <thread>

namespace kurvix::test {

struct FakeDisplay {
    static inline bool present = true;
    static inline int widthMm = 320, heightMm = 240, pixelsX = 1024, pixelsY = 768;

    static bool Size(int& w, int& h) {
        if (present) {
            w = widthMm;
            h = heightMm;
        }
        return present;
    }
    static bool Resolution(int& x, int& y) {
        if (present) {
            x = pixelsX;
            y = pixelsY;
        }
        return present;
    }
    static void Reset() {
        present = true;
        widthMm = 320, heightMm = 240, pixelsX = 1024, pixelsY = 768;
    }
};

struct FakeProcesses {
    static inline uint32_t self = 100;
    static inline std::set<uint32_t> dead;
    static inline std::atomic<int> ownerChecks{0};

    static uint32_t SelfId() { return self; }
    static bool Alive(uint32_t pid) {
        ++ownerChecks;
        return dead.count(pid) == 0;
    }
    static void Relax() { std::this_thread::yield(); }
};

inline const HookPlatform& FakePlatform() {
    static const HookPlatform p{{FakeProcesses::SelfId, FakeProcesses::Alive, FakeProcesses::Relax},
                                {FakeDisplay::Size, FakeDisplay::Resolution}};
    return p;
}

// Sets the x87 unit to 64-bit precision, nearest rounding, as the library runs it; both builds'
// start-up defaults differ.
inline void UseExtendedPrecision() {
    const unsigned short cw = 0x037F;
    __asm__ volatile("fldcw %0" : : "m"(cw));
}

} // namespace kurvix::test
