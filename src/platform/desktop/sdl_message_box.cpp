// The desktop's boxes are SDL's own.
#include <SDL.h>

#include "platform/sdl/sdl_events.h"

namespace platform {

void showSdlMessageBox(const char* text, const char* caption, bool error) {
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION, caption, text, nullptr);
}

} // namespace platform
