#include "desktop_controls.h"

#include <SDL.h>

#include "platform/input/scan_codes.h"

namespace desktop {

void setKeyDown(int scanCode, bool down) {
    // SDL has no call that scripts its keyboard: this writes the state that it reads.
    const int key = platform::keys::sdlScancodeFor(scanCode);
    if (key != 0) {
        const_cast<Uint8*>(SDL_GetKeyboardState(nullptr))[key] = down ? 1 : 0;
    }
}

void chooseDrivers(const char* video, const char* audio) {
    SDL_setenv("SDL_VIDEODRIVER", video, 1);
    SDL_setenv("SDL_AUDIODRIVER", audio, 1);
}

void restartAudio() {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

} // namespace desktop
