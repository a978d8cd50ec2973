#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "platform/core/platform_state.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/dsound/sound_output.h"
#include "platform/input/scan_codes.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_init.h"
#include "platform/window/icon.h"
#include "platform/winsock/socket_events.h"

namespace platform {

namespace {

// While sockets are watched, the wait alternates between them and the target's in slices this long.
constexpr int kSocketSliceMs = 10;

SDL_Window* nativeOf(WindowObject& window) { return static_cast<SDL_Window*>(window.native); }

int msCeil(std::int64_t ns) { return static_cast<int>((ns + 999'999) / 1'000'000); }

} // namespace

SdlBackend::SdlBackend() { sdl::ensureSubsystem(SDL_INIT_EVENTS); }

bool SdlBackend::hasDisplay() { return sdl::ensureDisplay(); }

void SdlBackend::pumpEvents() {
    pumpSdlEvents([this](const SDL_Event& event) { return takeOwnEvent(event); });
}

bool SdlBackend::waitForEvents(std::int64_t timeoutNs, bool socketsWatched) {
    if (!socketsWatched) {
        waitForOwnEvent(timeoutNs < 0 ? -1 : msCeil(timeoutNs));
        return true;
    }
    std::int64_t endNs = timeoutNs < 0 ? -1 : nowNs() + timeoutNs;
    for (;;) {
        if (socket_events::wait(0)) return true;
        int slice = kSocketSliceMs;
        if (endNs >= 0) {
            std::int64_t left = endNs - nowNs();
            if (left <= 0) return true;
            slice = std::min(slice, msCeil(left));
        }
        if (waitForOwnEvent(slice)) return true;
    }
}

bool SdlBackend::createWindow(WindowObject& window) {
    // Without a display the window still exists; the display service then reports the failure.
    if (!sdl::ensureDisplay()) return true;
    // Resizable for when Alt+Enter puts the game in a window; full screen does not mind.
    SDL_Window* native = SDL_CreateWindow(window.title.c_str(), 0, 0, window.width, window.height,
                                          SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (native == nullptr) return true;
    if (window.icon != nullptr && window.icon->picture != nullptr) SDL_SetWindowIcon(native, window.icon->picture);
    window.native = native;
    return true;
}

void SdlBackend::showWindow(WindowObject& window) {
    if (SDL_Window* native = nativeOf(window)) {
        SDL_ShowWindow(native);
        SDL_RaiseWindow(native);
    }
}

void SdlBackend::destroyWindow(WindowObject& window) {
    if (SDL_Window* native = nativeOf(window)) {
        windowGoing();
        SDL_DestroyWindow(native);
        window.native = nullptr;
    }
}

int SdlBackend::desktopBits() {
    SDL_DisplayMode mode;
    if (!sdl::ensureDisplay() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
    return pixels::desktopBitsFor(mode.format);
}

void SdlBackend::setCursorVisible(bool visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

POINT SdlBackend::cursorPos() {
    int x = 0, y = 0;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_GetGlobalMouseState(&x, &y);
    return POINT{x, y};
}

bool SdlBackend::keyDown(int scanCode) {
    int sdlCode = keys::sdlScancodeFor(scanCode);
    return sdlCode != 0 && SDL_GetKeyboardState(nullptr)[sdlCode] != 0;
}

std::unique_ptr<SoundOutput> SdlBackend::openSound() { return openSdlSoundOutput(); }

std::int64_t SdlBackend::nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t SdlBackend::calendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

} // namespace platform
