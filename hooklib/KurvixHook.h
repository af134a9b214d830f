// KurvixHook.dll: the exported interface. Plain functions with C names and the cdecl calling
// convention; 32-bit integers are uint32_t/int32_t, long double is the 80-bit x87 type.
// Getters return values, setters return nothing, no export tests its arguments, and only
// SetHook reports success.
#pragma once

#include <cstdint>

#if defined(KURVIXHOOK_BUILD)
#define KURVIX_API extern "C"
#else
#define KURVIX_API extern "C" __declspec(dllimport)
#endif

KURVIX_API bool __cdecl SetHook();
KURVIX_API void __cdecl RemoveHook();
KURVIX_API uint32_t __cdecl GetHookCount();
KURVIX_API void __cdecl SetHookCount(uint32_t count);
KURVIX_API void __cdecl SetScreenSize(double widthCm, double heightCm);
KURVIX_API void __cdecl SetScreenSizeAuto();
KURVIX_API double __cdecl GetScreenWidth();
KURVIX_API double __cdecl GetScreenHeight();
KURVIX_API void __cdecl UpdateScreenParameters();
KURVIX_API void* __cdecl GetPreviousHandle();
KURVIX_API void __cdecl SetPreviousHandle(void* handle);
KURVIX_API long double __cdecl GetPixels();
KURVIX_API void __cdecl SetPixels(long double pixels);
KURVIX_API long double __cdecl GetDistance();
KURVIX_API void __cdecl SetDistance(long double metres);
KURVIX_API uint32_t __cdecl GetMouseClicksLeft();
KURVIX_API void __cdecl SetMouseClicksLeft(uint32_t count);
KURVIX_API uint32_t __cdecl GetMouseClicksRight();
KURVIX_API void __cdecl SetMouseClicksRight(uint32_t count);
KURVIX_API uint32_t __cdecl GetMouseClicksMiddle();
KURVIX_API void __cdecl SetMouseClicksMiddle(uint32_t count);
KURVIX_API uint32_t __cdecl GetMouseWheelTicks();
KURVIX_API void __cdecl SetMouseWheelTicks(uint32_t count);
KURVIX_API uint32_t __cdecl GetPixelFrequency(int32_t x, int32_t y);
KURVIX_API void __cdecl SetPixelFrequency(int32_t x, int32_t y, uint32_t count);
KURVIX_API uint32_t __cdecl GetTotalPixelClicks();
KURVIX_API void __cdecl GetMinMaxPixelFrequency(int32_t& min, int32_t& max);
KURVIX_API int32_t __cdecl GetPixelFrequencyWidth();
KURVIX_API int32_t __cdecl GetPixelFrequencyHeight();
KURVIX_API bool __cdecl GetEasterMode();
KURVIX_API void __cdecl SetEasterMode(bool on);
