// Rounds, cycles, the extra life, the game-over box with its restart, and the panel.
#include <cstdio>

#include "app/globals.h"
#include "frame_region.h"
#include "game/pub_screen.h"
#include "hud_panel.h"
#include "platform/crt.h"
#include "platform/dinput.h"
#include "play_fixture.h"

namespace {
constexpr int roundWave = 126;
constexpr int gameOverWave = 129;

// Everyone of the round has gone out through the door.
void clearTheRound() { pubScreen.clearedCount = gameVars.customerCount; }
} // namespace

TEST_F(PlayTest, CompletedRoundMovesOnAndPlacesOneMoreCustomer) {
    emptyRound();
    pubScreen.launchMug(0, 1, 0);
    clearTheRound();
    pubScreen.checkProgress();
    EXPECT_EQ(gameVars.level, 2);
    EXPECT_EQ(gameVars.round, 2);
    EXPECT_EQ(gameVars.customerCount, 2);
    EXPECT_EQ(gameVars.spawnSpread, 420);
    EXPECT_EQ(gameVars.bartenderPose, 4);
    EXPECT_EQ(pubScreen.clearedCount, 0);
    EXPECT_EQ(pubScreen.roundsSinceBonus, 1);
    EXPECT_EQ(lastMug, 0);
    EXPECT_EQ(pubScreen.mugs[1].x, 0);
    EXPECT_GE(pubScreen.customers[1].x, 700);
    EXPECT_EQ(soundsPlayed(roundWave), 1);
}

TEST_F(PlayTest, RoundFourteenCompletesIntoANewCycleInOneFrame) {
    emptyRound();
    gameVars.round = 14;
    gameVars.customerCount = 14;
    gameVars.level = 14;
    gameVars.spawnSpread = 660;
    pubScreen.roundsSinceBonus = 13;

    // The first reset places 15 customers with a spread of 680, the second one customer.
    crt::srand(5);
    int draws[16][3];
    for (auto& d : draws) {
        d[0] = crt::rand();
        d[1] = crt::rand();
        d[2] = crt::rand();
    }
    crt::srand(5);
    clearTheRound();
    pubScreen.checkProgress();

    EXPECT_EQ(gameVars.level, 15);
    EXPECT_EQ(gameVars.round, 1);
    EXPECT_EQ(gameVars.customerCount, 1);
    EXPECT_EQ(gameVars.drinkSteps, 270);
    EXPECT_EQ(gameVars.spawnSpread, 400);
    EXPECT_EQ(gameVars.bartenderPose, 4);
    EXPECT_EQ(pubScreen.roundsSinceBonus, 14);
    EXPECT_EQ(soundsPlayed(roundWave), 1);
    // Placed with the draws after the first reset's: 15 customers' worth were spent.
    EXPECT_EQ(pubScreen.customers[0].x, 700 + draws[15][1] % 400);
    EXPECT_EQ(pubScreen.customers[14].x, 700 + draws[14][1] % 680);
}

TEST_F(PlayTest, ExtraLivesOnThe15thAnd30thCompletedRounds) {
    emptyRound();
    int livesAfter[31] = {};
    for (int completed = 1; completed <= 30; ++completed) {
        clearTheRound();
        pubScreen.checkProgress();
        livesAfter[completed] = gameVars.lives;
    }
    EXPECT_EQ(livesAfter[14], 3);
    EXPECT_EQ(livesAfter[15], 4);
    EXPECT_EQ(livesAfter[29], 4);
    EXPECT_EQ(livesAfter[30], 5);
    EXPECT_EQ(gameVars.level, 31);
    EXPECT_EQ(gameVars.round, 3); // two cycles of 14, then two more rounds
    EXPECT_EQ(gameVars.drinkSteps, 240);
}

class GameOver : public PlayTest {
protected:
    // After a frame of play, so that the pen is as the panel leaves it.
    void loseLastLife() {
        runFrame();
        emptyRound();
        gameVars.lives = 1;
        pubScreen.customerArrived();
    }
};

TEST_F(GameOver, BoxMessageAndSoundInTheFirstFrameAtZeroLives) {
    loseLastLife();
    crt::srand(3);
    const int expectedTaunt = crt::rand() % 5;
    crt::srand(3);
    runFrame();
    EXPECT_EQ(pubScreen.tauntChosen, 1);
    EXPECT_EQ(pubScreen.taunt, expectedTaunt);
    EXPECT_EQ(soundsPlayed(gameOverWave), 1);

    // The box is black with a white border; the texts are drawn in it.
    const auto pixels = backBufferPixels();
    EXPECT_EQ(pixels[199 * 800 + 400], 0xFFFFFFu);
    EXPECT_EQ(pixels[300 * 800 + 210], 0x000000u);
    int green = 0;
    for (int y = 230; y < 250; ++y) {
        for (int x = 250; x < 590; ++x) {
            green += pixels[y * 800 + x] == 0x7BD222u ? 1 : 0;
        }
    }
    EXPECT_GT(green, 50);

    for (int frame = 0; frame < 30; ++frame) {
        runFrame();
    }
    EXPECT_EQ(soundsPlayed(gameOverWave), 1);
    EXPECT_EQ(pubScreen.taunt, expectedTaunt);
    EXPECT_EQ(gameVars.lives, 0);
    // Nobody gets more than a step from his door.
    EXPECT_GE(pubScreen.customers[0].x, 699);
}

TEST_F(GameOver, PouringDuringTheBoxLosesNothing) {
    loseLastLife();
    platform::headless::setKeyDown(DIK_SPACE, true);
    for (int frame = 0; frame < 200; ++frame) {
        runFrame();
        platform::headless::advanceMs(16.7);
    }
    EXPECT_EQ(gameVars.lives, 0);
    EXPECT_EQ(lastMug, 0);
}

TEST_F(GameOver, EnterHeldWhenTheBoxFirstShowsRestartsInThatFrame) {
    loseLastLife();
    gameVars.level = 9;
    gameVars.round = 9;
    gameVars.mugSpeed = 4;
    gameVars.drinkSteps = 240;
    gameVars.bartenderBar = 3;
    pubScreen.score = 17;
    pubScreen.roundsSinceBonus = 9;
    platform::headless::setKeyDown(DIK_RETURN, true);
    runFrame();
    EXPECT_EQ(soundsPlayed(gameOverWave), 1);
    EXPECT_EQ(gameVars.lives, 3);
    EXPECT_EQ(gameVars.level, 1);
    EXPECT_EQ(gameVars.round, 1);
    EXPECT_EQ(gameVars.customerCount, 1);
    EXPECT_EQ(gameVars.drinkSteps, 300);
    EXPECT_EQ(gameVars.spawnSpread, 400);
    EXPECT_EQ(gameVars.mugSpeed, 2);
    EXPECT_EQ(gameVars.bartenderPose, 1);
    EXPECT_EQ(pubScreen.score, 0);
    EXPECT_EQ(pubScreen.tauntChosen, 0);
    EXPECT_EQ(pubScreen.roundsSinceBonus, 0) << "the next extra life is 15 rounds away";
    EXPECT_EQ(gameVars.bartenderBar, 3);
}

TEST_F(GameOver, RestartLetsAPourUnderWayComplete) {
    loseLastLife();
    gameVars.bartenderBar = 2;
    pubScreen.pouring = 1;
    runFrame(); // the pour sound starts under the box
    frameWithKey(DIK_RETURN);
    EXPECT_EQ(gameVars.lives, 3);
    platform::headless::advanceMs(300);
    runFrame();
    ASSERT_EQ(lastMug, 1);
    EXPECT_EQ(pubScreen.mugs[1].y, 275);
    EXPECT_EQ(pubScreen.mugs[1].full, 1);
}

TEST_F(GameOver, NextGameOverChoosesAndSoundsAgain) {
    loseLastLife();
    runFrame();
    frameWithKey(DIK_RETURN);
    platform::headless::advanceMs(1000);
    loseLastLife();
    runFrame();
    EXPECT_EQ(soundsPlayed(gameOverWave), 2);
}

TEST_F(PlayTest, EnterDuringPlayDoesNothing) {
    emptyRound();
    gameVars.lives = 2;
    gameVars.level = 4;
    platform::headless::setKeyDown(DIK_RETURN, true);
    runFrame();
    EXPECT_EQ(gameVars.lives, 2);
    EXPECT_EQ(gameVars.level, 4);
}

// The panel's figures: the frame's pixels against the pen drawing the expected text alone.
class Hud : public PlayTest {
protected:
    static std::vector<std::uint32_t> panelRegion(const std::vector<std::uint32_t>& pixels) {
        return frameRegion(pixels, 713, 10, 790, 140);
    }
    std::vector<std::uint32_t> expectedPanel(const char* score, const char* level, const char* lives) {
        return panelRegion(drawnAlone([=] { drawHudPanel(score, level, lives); }));
    }
};

TEST_F(Hud, ShowsScoreLevelAndLives) {
    emptyRound();
    pubScreen.score = 123456;
    gameVars.level = 12;
    gameVars.lives = 7;
    const auto drawn = panelRegion(drawnAlone([] { pubScreen.drawHud(); }));
    EXPECT_EQ(drawn, expectedPanel("123456", "12", "7"));
    EXPECT_NE(drawn, expectedPanel("123455", "12", "7"));
}
