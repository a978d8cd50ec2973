#include "game/cycle_measure.h"

#include "platform/clock.h"

std::uint64_t measureCyclesPerSecond() {
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    const std::uint64_t start = ReadTimeStampCounter();
    LARGE_INTEGER count = {};
    QueryPerformanceCounter(&count);
    const std::uint64_t target =
        static_cast<std::uint64_t>(count.QuadPart) + static_cast<std::uint64_t>(frequency.QuadPart);
    do {
        QueryPerformanceCounter(&count);
    } while (static_cast<std::uint64_t>(count.QuadPart) < target);
    return ReadTimeStampCounter() - start;
}

std::int32_t framesPerStepFor(std::uint64_t cyclesPerSecond) {
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(cyclesPerSecond));
    return low / 467456454;
}
