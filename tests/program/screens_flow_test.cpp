// The program from its entry point: title, help and play on key presses, Escape in play ends it,
// the system's keys are left to the system, frames stop while the window is in the background,
// and the tick reaches nearly every frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "program_run.h"
#include "screens/title_screen.h"

namespace {

using platform::headless::pressKey;
using platform::headless::setKeyDown;

// Alt alone, F10, and a key pressed with Alt held.
void pressSystemKeys() {
    setKeyDown(DIK_LMENU, true);
    pressKey(DIK_LMENU);
    pressKey(DIK_A);
    setKeyDown(DIK_LMENU, false);
    pressKey(DIK_F10);
}

void pressAltF4() {
    setKeyDown(DIK_RMENU, true);
    pressKey(DIK_F4);
}

class ScreensFlowTest : public testing::Test {
protected:
    void SetUp() override {
        platform::HeadlessOptions options;
        options.msPerFlip = 1000.0 / 60.0;
        platform::useHeadless(options);
        platform::headless::reset(options);
    }
};

TEST_F(ScreensFlowTest, TwoKeysToPlayAndEscapeEndsWithExitCodeZero) {
    int lastFrame = 0;
    ProgramRun run = runProgram([&](int frame) {
        lastFrame = frame;
        if (frame == 5 || frame == 10) {
            pressEscape(); // Escape held on the front screens only moves on
        }
        if (frame == 20) {
            pressEscape();
        }
    });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(lastFrame, 20) << "no frame after Escape in play";
    ASSERT_EQ(run.screens.size(), 20u);
    EXPECT_EQ(run.screens[0], SCREEN_TITLE);
    EXPECT_EQ(run.screens[5], SCREEN_HELP);
    EXPECT_EQ(run.screens[10], SCREEN_PLAY);
    EXPECT_EQ(run.screens[19], SCREEN_PLAY);
}

TEST_F(ScreensFlowTest, InPlayAKeyEndsTheGameOnlyWhileEscapeIsHeld) {
    int lastFrame = 0;
    ProgramRun run = runProgram([&](int frame) {
        lastFrame = frame;
        if (frame == 1 || frame == 2) {
            pressKey(DIK_SPACE);
        }
        if (frame == 10) {
            pressKey(DIK_ESCAPE); // released before its message is handled: play goes on
        }
        if (frame == 15) {
            setKeyDown(DIK_ESCAPE, true);
            pressKey(DIK_SPACE);
        }
    });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(lastFrame, 15);
}

TEST_F(ScreensFlowTest, AHeldKeyGoesToHelpThenToPlayOnItsFirstRepeat) {
    ProgramRun run = runProgram([&](int frame) {
        if (frame == 3) {
            pressKey(DIK_A);
        }
        if (frame == 4) {
            pressKey(DIK_A, true);
        }
        if (frame == 6) {
            pressEscape();
        }
    });
    ASSERT_GE(run.screens.size(), 5u);
    EXPECT_EQ(run.screens[3], SCREEN_HELP);
    EXPECT_EQ(run.screens[4], SCREEN_PLAY);
}

TEST_F(ScreensFlowTest, NoFrameWhileInactiveAndATickAfterReactivation) {
    int idleCalls = 0;
    int framesWhileInactive = 0;
    bool inactive = false;
    int countedBeforeLeaving = -1;
    int countedOnReturn = -1;
    std::pair<bool, int> cursorOnReturn;
    std::pair<bool, int> cursorAfterReturn;
    int returnFrame = 0;
    platform::headless::setIdleHook([&] {
        // Timers keep counting in the background; come back after a while.
        if (++idleCalls == 30) {
            countedOnReturn = app.tickCount;
            cursorOnReturn = {cursorHidden, cursorTicks};
            platform::headless::setActive(true);
        }
    });
    ProgramRun run = runProgram([&](int frame) {
        if (inactive) {
            ++framesWhileInactive;
        }
        if (frame == 3) {
            countedBeforeLeaving = app.tickCount;
            platform::headless::setActive(false);
            inactive = true;
        }
        if (idleCalls >= 30 && returnFrame == 0) {
            inactive = false;
            returnFrame = frame;
            // The first frame back goes unshown (its flip restores the lost surfaces), and no time
            // has passed since the return: the title's cursor shows whether a frame saw a tick.
            cursorAfterReturn = {cursorHidden, cursorTicks};
        }
        if (frame == returnFrame + 2 && returnFrame != 0) {
            pressKey(DIK_SPACE);
            pressKey(DIK_SPACE);
        }
        if (frame == returnFrame + 4 && returnFrame != 0) {
            pressEscape();
        }
    });
    platform::headless::setIdleHook(nullptr);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_GE(idleCalls, 30);
    // The frame that noticed the return is the first presented after it.
    EXPECT_EQ(framesWhileInactive, 1);
    EXPECT_NE(countedOnReturn, countedBeforeLeaving) << "the timer counts on in the background";
    EXPECT_NE(cursorAfterReturn, cursorOnReturn) << "a frame after the return saw the ticks counted meanwhile";
}

TEST_F(ScreensFlowTest, SystemKeysNeitherMoveTheScreensOnNorCountATick) {
    int counted = 0;
    ProgramRun run = runProgram([&](int frame) {
        if (frame == 2) {
            KillTimer(app.window, 1); // only key presses count from here on
            counted = app.tickCount;
        }
        if (frame == 3 || frame == 6 || frame == 9) {
            pressSystemKeys();
        }
        if (frame == 4 || frame == 7) {
            pressKey(DIK_A);
        }
        if (frame == 10) {
            EXPECT_EQ(app.tickCount, counted + 2) << "only the two plain key presses";
            app.close();
        }
    });
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.screens.size(), 10u);
    EXPECT_EQ(run.screens[3], SCREEN_TITLE);
    EXPECT_EQ(run.screens[4], SCREEN_HELP);
    EXPECT_EQ(run.screens[6], SCREEN_HELP);
    EXPECT_EQ(run.screens[9], SCREEN_PLAY);
}

TEST_F(ScreensFlowTest, AltF4EndsTheGameFromEveryScreenWithExitCodeZero) {
    for (ScreenId screen : {SCREEN_TITLE, SCREEN_HELP, SCREEN_PLAY}) {
        platform::headless::reset(platform::headless::options());
        int lastFrame = 0;
        ProgramRun run = runProgram([&](int frame) {
            lastFrame = frame;
            if (frame == 2) {
                app.setScreen(screen);
            }
            if (frame == 3) {
                pressAltF4();
            }
        });
        EXPECT_EQ(run.exitCode, 0) << screen;
        EXPECT_EQ(lastFrame, 3) << screen;
    }
}

TEST_F(ScreensFlowTest, TheTickReachesNearlyEveryFrameAndTheTypingEndsInTwoAndAHalfSeconds) {
    int tickedFrames = 0;
    int typingEndedAt = 0;
    int tickedWhenTypingEnded = 0;
    ProgramRun run = runProgram(
        [&](int frame) {
            tickedFrames += app.tickFlag() ? 1 : 0;
            if (typingEndedAt == 0 && letterCount == 18) {
                typingEndedAt = frame;
                tickedWhenTypingEnded = tickedFrames;
            }
        },
        600);
    EXPECT_GE(tickedFrames, 590);
    EXPECT_EQ(tickedWhenTypingEnded, 148);
    // At 60 frames a second.
    EXPECT_GE(typingEndedAt, 148);
    EXPECT_LE(typingEndedAt, 152);
}

TEST_F(ScreensFlowTest, ScreenTwoShowsAClearedScreen) {
    ProgramRun run = runProgram([&](int frame) {
        if (frame == 2) {
            app.setScreen(2);
        }
        if (frame == 4) {
            const auto& pixels = platform::headless::lastPresented();
            EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p == 0; }));
            app.setScreen(SCREEN_PLAY);
            pressEscape();
        }
    });
    EXPECT_EQ(run.exitCode, 0);
}

} // namespace
