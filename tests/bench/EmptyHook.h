// EmptyHook.dll: the floor of the hook benchmark, a WH_MOUSE hook for all threads that only
// passes each message on.
#pragma once

#include <cstdint>

#if defined(EMPTYHOOK_BUILD)
#define EMPTYHOOK_API extern "C" __declspec(dllexport)
#else
#define EMPTYHOOK_API extern "C" __declspec(dllimport)
#endif

// Installs the hook for all threads of the desktop, replacing one installed before; true if it
// is in place.
EMPTYHOOK_API bool __cdecl InstallEmptyHook();
EMPTYHOOK_API void __cdecl RemoveEmptyHook();
// Calls of the hook procedure in this process so far.
EMPTYHOOK_API uint32_t __cdecl GetEmptyHookCalls();
