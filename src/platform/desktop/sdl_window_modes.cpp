#include "platform/desktop/sdl_window_modes.h"

#include <SDL.h>

#include "platform/present/scale_plan.h"

namespace platform {

// The window is sized to its screen first: on an X server without a window manager the
// full-screen request alone leaves it at its old size while the renderer scales for the whole
// screen.
bool showFullscreen(SDL_Window* native) {
    int display = SDL_GetWindowDisplayIndex(native);
    SDL_DisplayMode desktop;
    SDL_Rect bounds;
    if (SDL_GetDesktopDisplayMode(display, &desktop) == 0 && SDL_GetDisplayBounds(display, &bounds) == 0) {
        SDL_SetWindowBordered(native, SDL_FALSE);
        SDL_SetWindowPosition(native, bounds.x, bounds.y);
        SDL_SetWindowSize(native, desktop.w, desktop.h);
    }
    return SDL_SetWindowFullscreen(native, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

// The frame counts: the whole window fits the usable area.
bool showInWindow(SDL_Window* native, int width, int height) {
    int display = SDL_GetWindowDisplayIndex(native);
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0 || SDL_SetWindowFullscreen(native, 0) != 0) return false;
    SDL_SetWindowBordered(native, SDL_TRUE);
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowBordersSize(native, &top, &left, &bottom, &right);
    int factor = planScale(width, height, usable.w - left - right, usable.h - top - bottom).factor;
    SDL_SetWindowSize(native, width * factor, height * factor);
    SDL_SetWindowPosition(native, usable.x + left + (usable.w - left - right - width * factor) / 2,
                          usable.y + top + (usable.h - top - bottom - height * factor) / 2);
    return true;
}

bool isSwitchKey(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN || (event.key.keysym.mod & KMOD_ALT) == 0) return false;
    SDL_Scancode code = event.key.keysym.scancode;
    return code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER;
}

namespace {
int keepUnlessFocusChange(void*, SDL_Event* event) {
    bool focus = event->type == SDL_WINDOWEVENT && (event->window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                                                    event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED);
    return focus ? 0 : 1;
}
} // namespace

void dropFocusChanges() {
    SDL_PumpEvents();
    SDL_FilterEvents(&keepUnlessFocusChange, nullptr);
}

} // namespace platform
