// SDL's events as the game window's messages, on every SDL target.
#pragma once

#include <functional>

union SDL_Event;

namespace platform {

// Takes every pending SDL event and posts what the game window would get for it, except those
// that ownEvent takes for the backend itself (by returning true).
void pumpSdlEvents(const std::function<bool(const SDL_Event&)>& ownEvent = {});

} // namespace platform
