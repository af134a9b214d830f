// The program's running time, accumulated over all runs: TimeOn whole seconds, brought up to
// date at TimeOnTick (the system's 32-bit millisecond tick count). Tick differences are taken
// in unsigned 32-bit arithmetic, so one wrap of the counter (about 49.7 days) between two
// updates is harmless.
#pragma once

#include <cstdint>

namespace kurvix {

// The time on as shown: the stored seconds plus the whole seconds since the last update.
inline uint32_t CurrentTimeOn(uint32_t timeOn, uint32_t timeOnTick, uint32_t tick) {
    return timeOn + (tick - timeOnTick) / 1000u;
}

// A save's accumulation: adds the whole seconds since the last update and moves the update to
// tick; the milliseconds below a whole second are dropped.
inline void AccumulateTimeOn(uint32_t& timeOn, uint32_t& timeOnTick, uint32_t tick) {
    timeOn = CurrentTimeOn(timeOn, timeOnTick, tick);
    timeOnTick = tick;
}

} // namespace kurvix
