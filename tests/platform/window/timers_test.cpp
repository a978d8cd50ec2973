#include <gtest/gtest.h>

#include "platform/headless.h"
#include "platform/window.h"
#include "window_fixture.h"

namespace {

using namespace platform;

using Timers = WindowFixture;

int drainTimers() {
    int n = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        EXPECT_EQ(msg.message, WM_TIMER);
        ++n;
    }
    return n;
}

TEST_F(Timers, MissedExpirationsCoalesceAndThePaceKeepsToWhenItFellDue) {
    SetTimer(window, 1, 50, nullptr);
    // Due at 50, 100, 150 and 200, fired on the ticks at 62.5, 109.375, 156.25 and 203.125.
    headless::advanceMs(210);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    // The next one falls due a period after the last expiration, at 250, not after this delivery.
    headless::advanceMs(249.999 - 210);
    EXPECT_EQ(drainTimers(), 0);
    headless::advanceMs(0.001);
    EXPECT_EQ(drainTimers(), 1);
}

TEST_F(Timers, PeekingWithoutRemovingLeavesTheTimerDue) {
    SetTimer(window, 9, 20, nullptr);
    headless::advanceMs(40);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Timers, AOneMillisecondTimerFiresOnEverySystemTickAndInNearlyEveryFrame) {
    SetTimer(window, 1, 1, nullptr);
    int fired = 0;
    for (int ms = 0; ms < 1000; ++ms) {
        headless::advanceMs(1);
        fired += drainTimers();
    }
    EXPECT_EQ(fired, 64);
    // Drained once a frame at 60 frames a second, as the main loop does.
    int tickedFrames = 0;
    for (int frame = 0; frame < 600; ++frame) {
        headless::advanceMs(1000.0 / 60.0);
        tickedFrames += drainTimers() > 0 ? 1 : 0;
    }
    EXPECT_GE(tickedFrames, 590);
}

TEST_F(Timers, PeriodsBelowTenMillisecondsAreRaisedToTen) {
    headless::advanceMs(10);
    SetTimer(window, 1, 1, nullptr);
    // 1 ms would be due on the tick at 15.625; 10 ms only on the one at 31.25.
    headless::advanceMs(15.625 - 10);
    EXPECT_EQ(drainTimers(), 0);
    headless::advanceMs(31.25 - 15.625 - 0.001);
    EXPECT_EQ(drainTimers(), 0);
    headless::advanceMs(0.001);
    EXPECT_EQ(drainTimers(), 1);
}

TEST_F(Timers, PostedMessagesComeFirstAndKilledTimersStop) {
    SetTimer(window, 1, 10, nullptr);
    headless::advanceMs(100);
    PostMessageA(window, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Timers, WaitMessageReturnsForADueTimerWithoutMovingTime) {
    SetTimer(window, 1, 10, nullptr);
    headless::advanceMs(16);
    double before = headless::nowMs();
    EXPECT_EQ(WaitMessage(), TRUE);
    EXPECT_EQ(headless::nowMs(), before);
    EXPECT_EQ(drainTimers(), 1);
}

TEST_F(Timers, AnIdleWaitGivesTheHookItsTurnThenRunsOnToTheNextTimer) {
    SetTimer(window, 2, 200, nullptr); // the later one does not hold the wait up
    SetTimer(window, 1, 50, nullptr);
    int idle = 0;
    headless::setIdleHook([&] {
        if (++idle == 1) PostMessageA(window, WM_USER, 0, 0);
    });
    WaitMessage();
    EXPECT_EQ(idle, 1);
    EXPECT_EQ(headless::nowMs(), 0.0) << "the hook's message ended the wait";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(idle, 2);
    EXPECT_EQ(headless::nowMs(), 62.5) << "exactly to the tick the timer fell due on";
}

} // namespace
