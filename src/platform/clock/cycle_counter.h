// The processor's own cycle counter, and the nominal pace where there is none.
#pragma once

#include <cstdint>

namespace platform {

std::uint64_t processorCycles();

// The rate a counter counts at where no processor's can be read (a page; the tests' virtual
// clock): the pace that most players' processors give the game.
constexpr std::uint64_t kNominalCyclesPerSecond = 3'000'000'000;

} // namespace platform
