// Clocks: the high-resolution counter, the processor's cycle counter and the calendar.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
// The processor's time-stamp counter (cycles since an arbitrary origin).
std::uint64_t ReadTimeStampCounter();
// Seconds since the epoch: the seed of the game's random generator.
std::int64_t CalendarTimeSeconds();
