// Moving between the bars, pouring in step with the pour sound, and the mug table.
#include "app/globals.h"
#include "game/pub_screen.h"
#include "platform/dinput.h"
#include "play_fixture.h"

namespace {
constexpr int moveWave = 121;
constexpr int pourWave = 122;
constexpr double moveSoundMs = 312.5;
constexpr double pourSoundMs = 264.2;
} // namespace

using platform::headless::advanceMs;
using platform::headless::setKeyDown;

TEST_F(PlayTest, LanesWrapAtTheTopAndTheBottom) {
    emptyRound();
    gameVars.bartenderBar = 3;
    frameWithKey(DIK_DOWN);
    EXPECT_EQ(gameVars.bartenderBar, 1);
    advanceMs(400);
    setKeyDown(DIK_UP, true);
    runFrame();
    EXPECT_EQ(gameVars.bartenderBar, 3);
    EXPECT_EQ(soundsPlayed(moveWave), 2);
}

TEST_F(PlayTest, HeldDirectionMovesOncePerMoveSound) {
    emptyRound();
    gameVars.bartenderBar = 1;
    gameVars.bartenderPose = 3;
    setKeyDown(DIK_DOWN, true);
    runFrame();
    EXPECT_EQ(gameVars.bartenderBar, 2);
    EXPECT_EQ(gameVars.bartenderPose, 1);
    advanceMs(moveSoundMs - 20);
    runFrame();
    EXPECT_EQ(gameVars.bartenderBar, 2);
    advanceMs(40);
    runFrame();
    EXPECT_EQ(gameVars.bartenderBar, 3);
}

TEST_F(PlayTest, NoPourWhileADirectionIsHeld) {
    emptyRound();
    setKeyDown(DIK_SPACE, true);
    for (int key : {DIK_UP, DIK_DOWN}) {
        setKeyDown(key, true);
        for (int frame = 0; frame < 60; ++frame) {
            runFrame();
            advanceMs(16.7);
            EXPECT_EQ(pubScreen.pouring, 0) << "key " << key << " frame " << frame;
        }
        setKeyDown(key, false);
        advanceMs(400);
    }
    EXPECT_EQ(soundsPlayed(pourWave), 0);
    // The first frame without a direction starts the pour and its sound together.
    runFrame();
    EXPECT_EQ(pubScreen.pouring, 1);
    EXPECT_EQ(pubScreen.pourStage, 1);
    EXPECT_EQ(gameVars.bartenderPose, 2);
    EXPECT_EQ(soundsPlayed(pourWave), 1);
}

TEST_F(PlayTest, PourEndsWithTheSoundOnTheBarHeStandsAtThen) {
    emptyRound();
    gameVars.bartenderBar = 1;
    frameWithKey(DIK_SPACE);
    EXPECT_EQ(lastMug, 0);
    // Moving mid-pour: pose 1 from the move, pose 2 again from the pour in the same frame.
    frameWithKey(DIK_DOWN);
    EXPECT_EQ(gameVars.bartenderBar, 2);
    EXPECT_EQ(gameVars.bartenderPose, 2);
    EXPECT_EQ(lastMug, 0);
    advanceMs(pourSoundMs + 10);
    runFrame();
    EXPECT_EQ(gameVars.bartenderPose, 1);
    EXPECT_EQ(pubScreen.pouring, 0);
    ASSERT_EQ(lastMug, 1);
    EXPECT_EQ(pubScreen.mugs[1].y, 275);
    EXPECT_EQ(pubScreen.mugs[1].full, 1);
    // Placed at 125 and moved once in the same frame.
    EXPECT_EQ(pubScreen.mugs[1].x, 127);
}

TEST_F(PlayTest, OnlyASingleJoystickButtonPours) {
    emptyRound();
    platform::JoystickState pad;
    pad.present = true;
    pad.buttonsHeld = 2;
    platform::headless::setJoystick(pad);
    ASSERT_TRUE(joystick.calibrate());
    runFrame();
    EXPECT_EQ(pubScreen.pouring, 0);
    pad.buttonsHeld = 1;
    platform::headless::setJoystick(pad);
    runFrame();
    EXPECT_EQ(pubScreen.pouring, 1);
}

TEST_F(SilentPlayTest, UpAndDownTogetherCancelOut) {
    emptyRound();
    gameVars.bartenderBar = 2;
    gameVars.bartenderPose = 4;
    setKeyDown(DIK_UP, true);
    setKeyDown(DIK_DOWN, true);
    for (int frame = 0; frame < 5; ++frame) {
        runFrame();
        EXPECT_EQ(gameVars.bartenderBar, 2);
    }
    EXPECT_EQ(gameVars.bartenderPose, 1);
}

TEST_F(SilentPlayTest, HeldSpacePoursAMugEveryFrame) {
    emptyRound();
    gameVars.bartenderBar = 3;
    setKeyDown(DIK_SPACE, true);
    for (int frame = 1; frame <= 4; ++frame) {
        runFrame();
        EXPECT_EQ(lastMug, frame);
        EXPECT_EQ(gameVars.bartenderPose, 1);
    }
    EXPECT_EQ(pubScreen.mugs[1].y, 440);
    EXPECT_EQ(pubScreen.mugs[4].x, 112); // 110, moved once
}

TEST_F(PlayTest, TheHundredAndFirstMugWrapsToRecordZero) {
    emptyRound();
    gameVars.bartenderBar = 2;
    placeCustomer(0, 1, 400);
    for (int mug = 1; mug <= 100; ++mug) {
        pubScreen.launchMug(0, 1, 0);
    }
    EXPECT_EQ(lastMug, 100);
    pubScreen.mugs[0] = Mug{650, 160, 1}; // the record it takes held a full mug
    pubScreen.launchMug(1, 2, 333);
    EXPECT_EQ(lastMug, 0);
    EXPECT_EQ(pubScreen.mugs[0].x, 333);
    EXPECT_EQ(pubScreen.mugs[0].y, 275);
    EXPECT_EQ(pubScreen.mugs[0].full, 0);
    // Records 1 to 100 drop out of every pass: none is moved, breaks at the far end, is caught by
    // the bartender, is taken by a customer, is drawn or is cleared by a reset.
    pubScreen.mugs[1].x = 630;            // past bar 1's far end
    pubScreen.mugs[2] = Mug{100, 275, 0}; // empty, at the bartender's end of his bar
    pubScreen.mugs[3].x = 420;            // in the customer's reach
    const int lives = gameVars.lives;
    pubScreen.moveMugs();
    pubScreen.checkMugs();
    EXPECT_EQ(pubScreen.mugs[0].x, 331);
    EXPECT_EQ(pubScreen.mugs[1].x, 630);
    EXPECT_EQ(pubScreen.mugs[2].x, 100);
    EXPECT_EQ(pubScreen.mugs[3].x, 420);
    EXPECT_EQ(pubScreen.mugs[4].x, 150);
    EXPECT_EQ(gameVars.lives, lives);
    EXPECT_EQ(pubScreen.customers[0].drinking, 0);
    // Record 0 itself is drawn, and caught in the bartender's hands.
    EXPECT_FALSE(allBlack(drawnAlone([] { pubScreen.drawMugs(); })));
    pubScreen.mugs[0].x = 100;
    pubScreen.checkMugs();
    EXPECT_EQ(pubScreen.mugs[0].x, 0);
    EXPECT_TRUE(allBlack(drawnAlone([] { pubScreen.drawMugs(); })));
    pubScreen.mugs[0].x = 331;
    pubScreen.resetRound();
    EXPECT_EQ(pubScreen.mugs[0].x, 0);
    EXPECT_EQ(pubScreen.mugs[4].x, 150);
}

TEST_F(PlayTest, EachPoseIsDrawnAtItsPlace) {
    struct Case {
        int bar;
        int pose;
        int left, top, right, bottom;
        int x, y;
    };
    const Case cases[] = {
        {1, 1, 0, 0, 65, 126, 110, 122},
        {2, 2, 70, 0, 132, 123, 78, 280},
        {3, 3, 134, 0, 185, 125, 48, 445},
        {1, 4, 186, 0, 251, 125, 103, 125},
    };
    for (const Case& c : cases) {
        gameVars.bartenderBar = c.bar;
        gameVars.bartenderPose = c.pose;
        const auto drawn = drawnAlone([] { pubScreen.drawBartender(); });
        EXPECT_EQ(drawn,
                  drawnAlone([&c] { pubScreen.bartenderSprite.blit(c.left, c.top, c.right, c.bottom, c.x, c.y); }))
            << "bar " << c.bar << " pose " << c.pose;
        EXPECT_FALSE(allBlack(drawn));
    }
}
