// The whole game on the sdl backend with SDL's dummy video and audio drivers, in real time: keys
// arrive as SDL events, as from a desktop.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include "desktop_controls.h"
#include "platform/core/platform_state.h"
#include "platform/headless.h"
#include "platform/target_backend.h"
#include "program_run.h"

class DesktopGame : public testing::Test {
protected:
    void SetUp() override { useDesktop("dummy"); }
    void TearDown() override { platform::useHeadless(); }

    // SDL's dummy video, and the audio driver named: one that does not exist opens no output.
    static void useDesktop(const char* audioDriver) {
        desktop::chooseDrivers("dummy", audioDriver);
        platform::useTargetBackend();
    }

    static void pressKey(SDL_Scancode code, Uint16 mod = KMOD_NONE, bool autoRepeat = false, bool up = false) {
        SDL_Event event{};
        event.type = up ? SDL_KEYUP : SDL_KEYDOWN;
        event.key.state = up ? SDL_RELEASED : SDL_PRESSED;
        event.key.keysym.scancode = code;
        event.key.keysym.sym = SDL_GetKeyFromScancode(code);
        event.key.keysym.mod = mod;
        event.key.repeat = autoRepeat ? 1 : 0;
        SDL_PushEvent(&event);
    }

    // Any key, every few frames, until play.
    static void onIntoPlay(int frame) {
        if (app.screen() != SCREEN_PLAY && frame % 5 == 0) pressKey(SDL_SCANCODE_A);
    }

    static SDL_Window* gameWindow() {
        auto* window = static_cast<WindowObject*>(app.window);
        return window != nullptr ? static_cast<SDL_Window*>(window->native) : nullptr;
    }
};
