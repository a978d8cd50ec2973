// Mugs sliding, taken by customers, caught by the bartender and broken at either end.
#include "app/globals.h"
#include "game/pub_screen.h"
#include "play_fixture.h"

namespace {
constexpr int breakWave = 123;
constexpr int catchWave = 124;

// One movement step and the collision pass, as a frame runs them.
void slideAndCheck() {
    pubScreen.moveMugs();
    pubScreen.checkMugs();
}
} // namespace

TEST_F(PlayTest, FullMugOnBarOneBreaksAtTheFarEndAt622) {
    emptyRound();
    gameVars.bartenderBar = 1;
    pubScreen.launchMug(0, 1, 0);
    ASSERT_EQ(pubScreen.mugs[1].x, 150);
    int lastX = 0;
    for (int step = 0; step < 400 && gameVars.lives == 3; ++step) {
        lastX = pubScreen.mugs[1].x;
        slideAndCheck();
    }
    EXPECT_EQ(lastX + 2, 622);
    EXPECT_EQ(gameVars.lives, 2);
    EXPECT_EQ(gameVars.bartenderPose, 3);
    EXPECT_EQ(lastMug, 0);
    EXPECT_EQ(pubScreen.mugs[1].x, 0);
    EXPECT_EQ(soundsPlayed(breakWave), 1);
}

TEST_F(PlayTest, EmptyMugOnBarTwoIsCaughtAt148) {
    emptyRound();
    gameVars.bartenderBar = 2;
    pubScreen.launchMug(1, 2, 160);
    int caughtAt = 0;
    for (int step = 0; step < 20 && pubScreen.mugs[1].x != 0; ++step) {
        caughtAt = pubScreen.mugs[1].x - 2;
        slideAndCheck();
    }
    EXPECT_EQ(caughtAt, 148);
    EXPECT_EQ(pubScreen.mugs[1].x, 0);
    EXPECT_EQ(soundsPlayed(catchWave), 1);
    EXPECT_EQ(gameVars.lives, 3);
}

TEST_F(PlayTest, EmptyMugBreaksBelow119WhenTheBartenderIsElsewhere) {
    emptyRound();
    gameVars.bartenderBar = 1;
    pubScreen.launchMug(1, 2, 160);
    int brokeAt = 0;
    for (int step = 0; step < 40 && gameVars.lives == 3; ++step) {
        brokeAt = pubScreen.mugs[1].x - 2;
        slideAndCheck();
    }
    EXPECT_EQ(brokeAt, 118);
    EXPECT_EQ(gameVars.lives, 2);
    EXPECT_EQ(soundsPlayed(catchWave), 0);
}

TEST_F(PlayTest, BartenderArrivingInTimeStillCatches) {
    emptyRound();
    gameVars.bartenderBar = 1;
    pubScreen.launchMug(1, 2, 140); // between the catch and the break limits
    slideAndCheck();
    EXPECT_EQ(pubScreen.mugs[1].x, 138);
    gameVars.bartenderBar = 2;
    slideAndCheck();
    EXPECT_EQ(pubScreen.mugs[1].x, 0);
    EXPECT_EQ(gameVars.lives, 3);
}

TEST_F(PlayTest, TheLowerIndexWalkingCustomerTakesTheMug) {
    emptyRound();
    gameVars.customerCount = 3;
    placeCustomer(0, 1, 300);
    pubScreen.customers[0].drinking = 1; // already has one: does not take another
    placeCustomer(1, 1, 310);
    placeCustomer(2, 1, 305);
    pubScreen.launchMug(0, 1, 0);
    pubScreen.mugs[1].x = 320;
    pubScreen.checkMugs();
    EXPECT_EQ(pubScreen.customers[1].drinking, 1);
    EXPECT_EQ(pubScreen.customers[2].drinking, 0);
    EXPECT_EQ(pubScreen.mugs[1].x, 0);
    EXPECT_EQ(pubScreen.mugs[1].full, 1);
}

TEST_F(PlayTest, ServingWindowIs291To349ForACustomerAt300) {
    for (int mugX : {289, 290, 291, 320, 349, 350, 351}) {
        emptyRound();
        placeCustomer(0, 3, 300);
        pubScreen.launchMug(0, 3, 0);
        pubScreen.mugs[1].x = mugX;
        pubScreen.checkMugs();
        const bool taken = mugX >= 291 && mugX <= 349;
        EXPECT_EQ(pubScreen.customers[0].drinking, taken ? 1 : 0) << mugX;
        EXPECT_EQ(pubScreen.mugs[1].x, taken ? 0 : mugX) << mugX;
    }
}

TEST_F(PlayTest, FarEndBreakComesBeforeServing) {
    emptyRound();
    placeCustomer(0, 1, 600);
    pubScreen.launchMug(0, 1, 0);
    pubScreen.mugs[1].x = 622;
    pubScreen.checkMugs();
    EXPECT_EQ(gameVars.lives, 2);
    EXPECT_EQ(pubScreen.customers[0].drinking, 0);
}

TEST_F(PlayTest, OnlyOneLifeIsLostToMugsInAFrame) {
    emptyRound();
    gameVars.bartenderBar = 3;
    pubScreen.launchMug(0, 1, 0);
    pubScreen.launchMug(0, 2, 0);
    pubScreen.mugs[1].x = 630;
    pubScreen.mugs[2].x = 650;
    pubScreen.checkMugs();
    EXPECT_EQ(gameVars.lives, 2);
}

class BrokenMugPictures : public PlayTest {
protected:
    // The broken-mug pictures of a near-end break on bar 2, drawn alone.
    std::vector<std::uint32_t> nearBreakPicture() {
        gameVars.bartenderBar = 1;
        pubScreen.launchMug(1, 2, 100);
        clearBackBuffer();
        pubScreen.checkMugs();
        return backBufferPixels();
    }
    std::vector<std::uint32_t> expectedPicture(bool withNear) {
        clearBackBuffer();
        pubScreen.beerSprite.blit(0, 54, 59, 104, 645, 275);
        if (withNear) {
            pubScreen.beerSprite.blit(55, 55, 133, 111, 54, 275);
        }
        return backBufferPixels();
    }
};

TEST_F(BrokenMugPictures, NearEndBreakWhileTheBreakSoundPlaysShowsOnlyTheFarPicture) {
    emptyRound();
    const auto first = nearBreakPicture();
    EXPECT_EQ(first, expectedPicture(true));
    EXPECT_EQ(soundsPlayed(breakWave), 1);

    platform::headless::advanceMs(500); // the break sound lasts 958 ms
    const auto second = nearBreakPicture();
    EXPECT_EQ(second, expectedPicture(false));
    EXPECT_EQ(soundsPlayed(breakWave), 1);
    EXPECT_EQ(gameVars.lives, 1);

    platform::headless::advanceMs(500);
    EXPECT_EQ(nearBreakPicture(), expectedPicture(true));
    EXPECT_EQ(soundsPlayed(breakWave), 2);
}

TEST_F(PlayTest, MugsAreDrawnOnlyBelowX700) {
    emptyRound();
    pubScreen.launchMug(0, 3, 0);
    pubScreen.mugs[1].x = 699;
    clearBackBuffer();
    pubScreen.drawMugs();
    const auto drawn = backBufferPixels();
    clearBackBuffer();
    pubScreen.beerSprite.blit(0, 0, 40, 52, 699, 440);
    EXPECT_EQ(drawn, backBufferPixels());

    pubScreen.mugs[1].x = 700;
    clearBackBuffer();
    pubScreen.drawMugs();
    const auto hidden = backBufferPixels();
    EXPECT_EQ(hidden, std::vector<std::uint32_t>(hidden.size(), 0u));
}
