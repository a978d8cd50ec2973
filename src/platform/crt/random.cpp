// The generator of the runtime the game was designed on: a linear congruence modulo 2^32 whose
// draws are bits 16 to 30 of the new state.
#include "platform/crt.h"

#include <cstdint>

namespace {
std::uint32_t state = 1;
}

namespace crt {

void srand(unsigned seed) { state = seed; }

int rand() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & randMax);
}

} // namespace crt
