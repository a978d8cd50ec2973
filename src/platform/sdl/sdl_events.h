// The desktop's events as window messages.
#pragma once

#include <functional>

union SDL_Event;

namespace platform {

// Takes every pending SDL event and posts what the game window would get for it, except those
// that ownEvent takes for the backend itself (by returning true).
void pumpSdlEvents(const std::function<bool(const SDL_Event&)>& ownEvent = {});

// SIGHUP (the terminal closing) ends the game as SIGTERM does: a quit event, then WM_CLOSE.
// Call once SDL's events run; a SIGHUP that is ignored (nohup) stays ignored.
void closeOnHangUp();

} // namespace platform
