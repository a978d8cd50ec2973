// The bartender on the desktop backend where no audio output opens: the silent output stands in,
// so his moves and pours still wait for their sounds.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "app/globals.h"
#include "desktop_controls.h"
#include "game/pub_screen.h"
#include "headless_app.h"
#include "platform/dinput.h"
#include "program/program_objects.h"
#include "sdl_game_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class SilentOutputTest : public DesktopGame {
protected:
    void SetUp() override {
        useDesktop("nosuchdriver");
        desktop::restartAudio();
        objects.emplace();
        testing::internal::CaptureStderr();
        ASSERT_TRUE(createApplication());
        said = testing::internal::GetCapturedStderr();
        app.loadSound(pubScreen.moveSound, 121);
        app.loadSound(pubScreen.pourSound, 122);
        gameVars.bartenderBar = 1;
    }

    void TearDown() override {
        desktop::setKeyDown(DIK_DOWN, false);
        desktop::setKeyDown(DIK_SPACE, false);
        objects.reset();
        // The game keeps its sound device to the end; a test gives it back for the next one.
        if (app.dsound != nullptr) {
            app.dsound->Release();
            app.dsound = nullptr;
        }
        DesktopGame::TearDown();
    }

    // The bartender's part of play frames, at the display's pace, for this long.
    static void play(milliseconds length, const std::function<void()>& afterFrame = {}) {
        const auto end = Clock::now() + length;
        while (Clock::now() < end) {
            pubScreen.handleInput();
            if (pubScreen.pouring != 0) {
                pubScreen.pour();
            }
            if (afterFrame) {
                afterFrame();
            }
            app.flip();
        }
    }

    std::optional<ProgramObjects> objects;
    std::string said;
};

TEST_F(SilentOutputTest, ATapMovesOneBarAndAHeldSpacePoursOneMugPerPourSound) {
    ASSERT_TRUE(soundAvailable);
    EXPECT_EQ(said, "no audio output; playing silent\n");

    desktop::setKeyDown(DIK_DOWN, true);
    play(milliseconds(100));
    desktop::setKeyDown(DIK_DOWN, false);
    EXPECT_EQ(gameVars.bartenderBar, 2) << "one bar, not one a frame";
    play(milliseconds(400)); // the move sound ends

    std::vector<Clock::time_point> launches;
    std::int32_t seen = lastMug;
    desktop::setKeyDown(DIK_SPACE, true);
    play(milliseconds(1500), [&] {
        if (lastMug != seen) {
            seen = lastMug;
            launches.push_back(Clock::now());
        }
    });
    // A pour lasts its 264 ms sound; the silent output hands out sound in slices of about 23 ms.
    ASSERT_GE(launches.size(), 3u);
    EXPECT_LE(launches.size(), 6u);
    for (std::size_t i = 1; i < launches.size(); ++i) {
        EXPECT_GE(launches[i] - launches[i - 1], milliseconds(240)) << i;
    }
}

} // namespace
