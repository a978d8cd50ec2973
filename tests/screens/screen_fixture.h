// A headless display for the front screens, with frames run as the main loop runs them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "app/globals.h"
#include "headless_app.h"
#include "platform/headless.h"
#include "program/run_game.h"
#include "sound/sound_effect.h"

class ScreenFixture : public testing::Test {
protected:
    void startDisplay(bool soundDevice) {
        platform::HeadlessOptions options;
        options.soundDevice = soundDevice;
        platform::useHeadless(options);
        soundAvailable = false;
        ASSERT_TRUE(startApplication(options));
    }

    // Cleared, drawn by the given screen operation, shown.
    template <typename Draw>
    void showFrame(Draw draw) {
        app.clearBackBuffer();
        app.refreshTickFlag();
        draw();
        app.flip();
    }

    // Every waiting message through the window procedure, as the main loop takes them.
    void handleMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && GetMessageA(&msg, nullptr, 0, 0) != 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // What the last frame showed, as 0x00RRGGBB.
    static std::uint32_t shown(int x, int y) {
        return platform::headless::lastPresented()[static_cast<std::size_t>(y) * 800 + x];
    }

    static constexpr std::uint32_t black = 0;
};
