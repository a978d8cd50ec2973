// Bringing up SDL's subsystems when first needed.
#pragma once

#include <cstdint>

namespace platform::sdl {

// Initialises the subsystems (SDL_INIT_ flags) unless they already run; false on failure.
bool ensureSubsystem(std::uint32_t flags);
// Brings up video on a real display. SDL falls back to drivers that show nothing where there is
// no display; those count only when asked for by name (SDL_VIDEODRIVER).
bool ensureDisplay();

} // namespace platform::sdl
