// The Win32 side of the counting core: process ids for the guard, the screen's report of its
// size and resolution, and the hook procedure's guarded run of one event.
#pragma once

#include "BlockAccess.h"

#include <windows.h>

namespace kurvix {

const HookPlatform& Win32HookPlatform();

// Prepares and frees what the fault catching of the hook procedure needs in this process.
void StartHookRuntime();
void StopHookRuntime();

// One call of the mouse hook over `block`: counts the call, applies the event under the guard
// with the thread's floating-point state saved and set to the library's own, and passes the
// message on to `next`. A fault inside the accounting is caught, reported to the debugger
// output, and the message still passed on.
LRESULT HandleHookCall(SharedBlock& block, HHOOK next, int code, WPARAM wParam, LPARAM lParam);

} // namespace kurvix
