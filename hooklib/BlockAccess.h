// The logic of the library's exports over one block and its guard. Every operation holds the
// guard for its own reads and writes; none calls another while holding it. The Windows
// library binds these to the block in its ".shared" section and to the real display.
#pragma once

#include "Guard.h"
#include "SharedBlock.h"

#include <cstdint>

namespace kurvix {

struct DisplayQuery {
    bool (*sizeMm)(int& width, int& height);        // false: no device context
    bool (*resolution)(int& pixelsX, int& pixelsY); // false: no device context
};

struct HookPlatform {
    GuardPlatform guard;
    DisplayQuery display;
};

class BlockAccess {
  public:
    BlockAccess(SharedBlock& block, const HookPlatform& platform)
        : block_(block), platform_(platform) {}

    uint32_t GetHookCount();
    void SetHookCount(uint32_t count);
    void AddHookCall(); // atomic, without the guard

    void SetScreenSize(double widthCm, double heightCm);
    void SetScreenSizeAuto();
    double GetScreenWidth();
    double GetScreenHeight();
    void UpdateScreenParameters();
    bool HasScreenSize(); // both sizes non-zero: the attach step's test

    void* GetPreviousHandle();
    void SetPreviousHandle(void* handle);

    long double GetPixels();
    void SetPixels(long double pixels);
    long double GetDistance();
    void SetDistance(long double metres);

    uint32_t GetMouseClicksLeft();
    void SetMouseClicksLeft(uint32_t count);
    uint32_t GetMouseClicksRight();
    void SetMouseClicksRight(uint32_t count);
    uint32_t GetMouseClicksMiddle();
    void SetMouseClicksMiddle(uint32_t count);
    uint32_t GetMouseWheelTicks();
    void SetMouseWheelTicks(uint32_t count);

    // Coordinates outside the grid read 0 and write nothing.
    uint32_t GetPixelFrequency(int x, int y);
    void SetPixelFrequency(int x, int y, uint32_t count);
    uint32_t GetTotalPixelClicks();
    void GetMinMaxPixelFrequency(int& min, int& max);
    static int GetPixelFrequencyWidth() { return kGridWidth; }
    static int GetPixelFrequencyHeight() { return kGridHeight; }

    bool GetEasterMode();
    void SetEasterMode(bool on);

  private:
    GuardLock Lock() { return GuardLock(block_.Guard, platform_.guard); }
    template <typename T> T Read(const T& field) {
        GuardLock lock = Lock();
        return field;
    }
    template <typename T> void Write(T& field, T value) {
        GuardLock lock = Lock();
        field = value;
    }

    SharedBlock& block_;
    const HookPlatform& platform_;
};

} // namespace kurvix
