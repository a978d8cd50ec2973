#include "platform/sdl/sdl_init.h"

#include <SDL.h>

#include <cstring>

namespace platform::sdl {

bool ensureSubsystem(std::uint32_t flags) {
    if (SDL_WasInit(flags) == flags) return true;
    return SDL_InitSubSystem(flags) == 0;
}

bool ensureDisplay() {
    static bool refused = false;
    if (refused) return false;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        refused = true;
        return false;
    }
    const char* chosen = SDL_GetCurrentVideoDriver();
    bool invisible = chosen != nullptr && (std::strcmp(chosen, "offscreen") == 0 || std::strcmp(chosen, "dummy") == 0);
    if (invisible && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        refused = true;
        return false;
    }
    // The game reads keys, never text: no input method, and a page keeps its keys to the game.
    SDL_StopTextInput();
    return true;
}

} // namespace platform::sdl
