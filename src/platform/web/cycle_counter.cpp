// A page has no time-stamp counter. The web's counts at a nominal 3 GHz on the page's clock, so
// the game takes the pace that most players' processors give it.
#include "platform/clock/cycle_counter.h"

#include <emscripten.h>

namespace platform {

std::uint64_t processorCycles() { return static_cast<std::uint64_t>(emscripten_get_now() * 3'000'000.0); }

} // namespace platform
