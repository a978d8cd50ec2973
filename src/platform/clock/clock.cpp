// The high-resolution counter, the cycle counter and the calendar, as the backend keeps them.
#include "platform/clock.h"

#include "platform/core/backend.h"

using namespace platform;

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (frequency == nullptr) return FALSE;
    frequency->QuadPart = 1'000'000'000; // the counter counts nanoseconds
    return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (count == nullptr) return FALSE;
    count->QuadPart = backend().performanceCounterNs();
    return TRUE;
}

std::uint64_t ReadTimeStampCounter() { return backend().timeStampCounter(); }

std::int64_t CalendarTimeSeconds() { return backend().calendarSeconds(); }
