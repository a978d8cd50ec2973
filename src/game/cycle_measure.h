// How fast the processor runs, and the movement pace taken from it.
#pragma once

#include <cstdint>

// Processor cycles in one second of the high-resolution counter.
std::uint64_t measureCyclesPerSecond();

// The low 32 bits of the count read as signed, divided by 467456454: fast clocks wrap negative,
// and anything of 1 or less moves every frame.
std::int32_t framesPerStepFor(std::uint64_t cyclesPerSecond);
