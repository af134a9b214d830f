#include "BlockAccess.h"

#include "ScreenGeometry.h"
#include "X87.h"

namespace kurvix {

namespace {

bool InGrid(int x, int y) { return x >= 0 && x < kGridWidth && y >= 0 && y < kGridHeight; }

} // namespace

uint32_t BlockAccess::GetHookCount() {
    GuardLock lock = Lock();
    return __atomic_load_n(&block_.HookCount, __ATOMIC_RELAXED);
}

void BlockAccess::SetHookCount(uint32_t count) {
    GuardLock lock = Lock();
    __atomic_store_n(&block_.HookCount, count, __ATOMIC_RELAXED);
}
void BlockAccess::AddHookCall() { __atomic_fetch_add(&block_.HookCount, 1u, __ATOMIC_RELAXED); }

void BlockAccess::SetScreenSize(double widthCm, double heightCm) {
    {
        GuardLock lock = Lock();
        block_.ScreenWidthMm = CentimetresToMillimetres(widthCm);
        block_.ScreenHeightMm = CentimetresToMillimetres(heightCm);
    }
    UpdateScreenParameters();
}

void BlockAccess::SetScreenSizeAuto() {
    int width = 0, height = 0;
    if (!platform_.display.sizeMm(width, height))
        width = height = 0;
    {
        GuardLock lock = Lock();
        block_.ScreenWidthMm = width;
        block_.ScreenHeightMm = height;
    }
    UpdateScreenParameters();
}

double BlockAccess::GetScreenWidth() {
    return MillimetresToCentimetres(Read(block_.ScreenWidthMm));
}

double BlockAccess::GetScreenHeight() {
    return MillimetresToCentimetres(Read(block_.ScreenHeightMm));
}

void BlockAccess::UpdateScreenParameters() {
    GuardLock lock = Lock();
    int rx = 0, ry = 0;
    if (platform_.display.resolution(rx, ry))
        ApplyResolution(block_, rx, ry);
}

bool BlockAccess::HasScreenSize() {
    GuardLock lock = Lock();
    return block_.ScreenWidthMm != 0.0 && block_.ScreenHeightMm != 0.0;
}

void* BlockAccess::GetPreviousHandle() { return Read(block_.PreviousHandle); }
void BlockAccess::SetPreviousHandle(void* handle) { Write(block_.PreviousHandle, handle); }

long double BlockAccess::GetPixels() { return TruncateExtended(Read(block_.Pixels)); }
void BlockAccess::SetPixels(long double pixels) { Write(block_.Pixels, pixels); }
long double BlockAccess::GetDistance() { return Read(block_.Distance); }
void BlockAccess::SetDistance(long double metres) { Write(block_.Distance, metres); }

uint32_t BlockAccess::GetMouseClicksLeft() { return Read(block_.MouseClicksLeft); }
void BlockAccess::SetMouseClicksLeft(uint32_t count) { Write(block_.MouseClicksLeft, count); }
uint32_t BlockAccess::GetMouseClicksRight() { return Read(block_.MouseClicksRight); }
void BlockAccess::SetMouseClicksRight(uint32_t count) { Write(block_.MouseClicksRight, count); }
uint32_t BlockAccess::GetMouseClicksMiddle() { return Read(block_.MouseClicksMiddle); }
void BlockAccess::SetMouseClicksMiddle(uint32_t count) { Write(block_.MouseClicksMiddle, count); }
uint32_t BlockAccess::GetMouseWheelTicks() { return Read(block_.MouseWheelTicks); }
void BlockAccess::SetMouseWheelTicks(uint32_t count) { Write(block_.MouseWheelTicks, count); }

uint32_t BlockAccess::GetPixelFrequency(int x, int y) {
    if (!InGrid(x, y))
        return 0;
    return Read(block_.PixelFrequency[y][x]);
}

void BlockAccess::SetPixelFrequency(int x, int y, uint32_t count) {
    if (InGrid(x, y))
        Write(block_.PixelFrequency[y][x], count);
}

uint32_t BlockAccess::GetTotalPixelClicks() {
    GuardLock lock = Lock();
    uint32_t sum = 0;
    for (const auto& row : block_.PixelFrequency)
        for (uint32_t cell : row)
            sum += cell;
    return sum;
}

// The start values are 0 and 2^31 - 1, and each count is taken as signed 32-bit.
void BlockAccess::GetMinMaxPixelFrequency(int& min, int& max) {
    GuardLock lock = Lock();
    max = 0;
    min = 2147483647;
    for (const auto& row : block_.PixelFrequency)
        for (uint32_t cell : row) {
            const int v = static_cast<int>(cell);
            if (v > max)
                max = v;
            if (v < min)
                min = v;
        }
}

bool BlockAccess::GetEasterMode() { return Read(block_.EasterMode); }
void BlockAccess::SetEasterMode(bool on) { Write(block_.EasterMode, on); }

} // namespace kurvix
