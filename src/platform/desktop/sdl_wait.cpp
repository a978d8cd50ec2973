// The desktop sleeps in SDL's own wait until an event comes.
#include <SDL.h>

#include "platform/sdl/sdl_events.h"

namespace platform {

bool waitForSdlEvent(int timeoutMs) {
    return (timeoutMs < 0 ? SDL_WaitEvent(nullptr) : SDL_WaitEventTimeout(nullptr, timeoutMs)) != 0;
}

} // namespace platform
