#include "platform/sdl/sdl_events.h"

#include <SDL.h>

#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/input/key_messages.h"
#include "platform/input/scan_codes.h"
#include "platform/window/message_queue.h"

namespace platform {

namespace {

// The one place a desktop key press becomes the game's key or the system's.
void postKeyDown(HWND window, const SDL_KeyboardEvent& key) {
    int scanCode = keys::scanCodeForSdl(key.keysym.scancode);
    bool altHeld = (key.keysym.mod & KMOD_ALT) != 0;
    postKeyPress(window, scanCode, altHeld, key.repeat != 0);
}

void postClose(HWND window) {
    // The close button, SIGINT, SIGTERM and SIGHUP can all arrive at once; one WM_CLOSE is enough.
    if (!isQueued(window, WM_CLOSE)) postToQueue(window, WM_CLOSE, 0, 0);
}

void translate(const SDL_Event& event) {
    HWND window = sys::gameWindow();
    if (window == nullptr) return;
    switch (event.type) {
    case SDL_KEYDOWN:
        postKeyDown(window, event.key);
        break;
    case SDL_QUIT:
        postClose(window);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) changeActivation(true);
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) changeActivation(false);
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) postClose(window);
        break;
    default:
        break;
    }
}

} // namespace

void pumpSdlEvents(const std::function<bool(const SDL_Event&)>& ownEvent) {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        if (!ownEvent || !ownEvent(event)) translate(event);
}

} // namespace platform
