#include "platform/sdl/sdl_events.h"

#include <SDL.h>

#include "platform/window/message_queue.h"
#include "platform/input/scan_codes.h"
#include "platform/core/system.h"
#include "platform/core/platform_state.h"

namespace platform {

namespace {

void postKeyDown(HWND window, const SDL_KeyboardEvent& key) {
    int scanCode = keys::scanCodeForSdl(key.keysym.scancode);
    // Repeat count 1, the set-1 scan code, the E0 flag, and bit 30 for an auto-repeat.
    LPARAM lParam = 1 | ((scanCode & 0x7F) << 16);
    if (scanCode >= 0x80) lParam |= LPARAM{1} << 24;
    if (key.repeat != 0) lParam |= LPARAM{1} << 30;
    postToQueue(window, WM_KEYDOWN, static_cast<WPARAM>(keys::virtualKeyFor(scanCode)), lParam);
}

void postClose(HWND window) {
    // The close button, SIGINT and SIGTERM can all arrive at once; one WM_CLOSE is enough.
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

void pumpSdlEvents() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) translate(event);
}

} // namespace platform
