// The tick counter runs 0..100 and a frame sees at most one tick, however many messages came.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "platform/headless.h"
#include "program/run_game.h"

namespace {

class TickTest : public testing::Test {
protected:
    void SetUp() override {
        platform::headless::reset();
        app = Application{};
    }
    static void timers(int count) {
        for (int i = 0; i < count; ++i) {
            windowProc(nullptr, WM_TIMER, 1, 0);
        }
    }
    static bool frameSeesTick() {
        app.refreshTickFlag();
        return app.tickFlag();
    }
};

TEST_F(TickTest, ManyTimerMessagesBetweenFramesGiveOneTick) {
    timers(3);
    EXPECT_TRUE(frameSeesTick());
    EXPECT_EQ(app.tickCount, 3);
    EXPECT_FALSE(frameSeesTick()) << "the next frame without a message sees no tick";
    timers(100);
    EXPECT_TRUE(frameSeesTick());
    timers(102);
    EXPECT_TRUE(frameSeesTick());
}

TEST_F(TickTest, ExactlyOneHundredAndOneMessagesWrapToTheSeenValue) {
    timers(5);
    ASSERT_TRUE(frameSeesTick());
    timers(101);
    EXPECT_EQ(app.tickCount, 5);
    EXPECT_FALSE(frameSeesTick());
}

TEST_F(TickTest, TheFlagHoldsForTheWholeFrame) {
    timers(1);
    app.refreshTickFlag();
    timers(1);
    EXPECT_TRUE(app.tickFlag());
    EXPECT_TRUE(app.tickFlag());
}

TEST_F(TickTest, AKeyPressInPlayCountsATickAndStaysInPlay) {
    app.setScreen(SCREEN_PLAY);
    windowProc(nullptr, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(app.screen(), SCREEN_PLAY);
    EXPECT_EQ(app.tickCount, 1);
    EXPECT_TRUE(frameSeesTick());
}

TEST_F(TickTest, KeyPressesMoveTheFrontScreensOnlyForward) {
    windowProc(nullptr, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(app.screen(), SCREEN_HELP) << "Escape on the title only advances";
    windowProc(nullptr, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(app.screen(), SCREEN_PLAY) << "Escape on help only advances";
    app.setScreen(2);
    windowProc(nullptr, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(app.screen(), 2);
    EXPECT_EQ(app.tickCount, 3);
}

} // namespace
