// The C runtime's random generator, the same on every target: C libraries differ (glibc and the
// web's give other draws for one seed), and the game's customers and fires must not. In their own
// namespace so that they never clash with the C library's.
#pragma once

namespace crt {

constexpr int randMax = 0x7fff;

// Seeds the generator; before any call the seed is 1.
void srand(unsigned seed);
// The next draw, 0 to randMax.
int rand();

} // namespace crt
