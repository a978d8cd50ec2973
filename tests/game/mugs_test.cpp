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

// Slides mug 1 until done() holds; where it stood before the last step.
int slideUntil(bool (*done)(), int stepLimit) {
    int before = 0;
    for (int step = 0; step < stepLimit && !done(); ++step) {
        before = pubScreen.mugs[1].x;
        slideAndCheck();
    }
    return before;
}

bool lifeLost() { return gameVars.lives != 3; }
bool mugGone() { return pubScreen.mugs[1].x == 0; }

// Each bar's ends: where a poured mug starts and the first x past the far limit it reaches; the
// limits of the near end.
struct BarEnds {
    int bar;
    int pouredAt;
    int pastFarEnd;
    int catchLimit;
    int breakLimit;
};
constexpr BarEnds barEnds[] = {{1, 150, 622, 171, 141}, {2, 125, 641, 149, 119}, {3, 110, 672, 115, 85}};
} // namespace

TEST_F(PlayTest, FullMugsBreakJustPastTheFarEndOfEachBar) {
    for (const BarEnds& b : barEnds) {
        SCOPED_TRACE(b.bar);
        emptyRound();
        platform::headless::advanceMs(1000); // the last break sound has ended
        gameVars.lives = 3;
        gameVars.bartenderBar = b.bar;
        pubScreen.launchMug(0, b.bar, 0);
        ASSERT_EQ(pubScreen.mugs[1].x, b.pouredAt);
        EXPECT_EQ(slideUntil(lifeLost, 400) + 2, b.pastFarEnd);
        EXPECT_EQ(gameVars.lives, 2);
        EXPECT_EQ(gameVars.bartenderPose, 3);
        EXPECT_EQ(lastMug, 0);
        EXPECT_EQ(pubScreen.mugs[1].x, 0);
        EXPECT_EQ(soundsPlayed(breakWave), b.bar);
    }
}

// Started at an odd and at an even distance from the limit, so that the mug stops on the first x
// below it (one below) or steps over it (two below).
TEST_F(PlayTest, EmptyMugsAreCaughtBelowTheCatchLimitOrBreakBelowTheBreakLimitOfEachBar) {
    int catches = 0;
    for (const BarEnds& b : barEnds) {
        for (int distance : {11, 12}) {
            SCOPED_TRACE(testing::Message() << "bar " << b.bar << ", from " << distance << " above the limit");
            const int below = distance % 2 == 1 ? 1 : 2;
            emptyRound();
            platform::headless::advanceMs(1000); // the last catch and break sounds have ended
            gameVars.lives = 3;
            gameVars.bartenderBar = b.bar;
            pubScreen.launchMug(1, b.bar, b.catchLimit + distance);
            EXPECT_EQ(slideUntil(mugGone, 20) - 2, b.catchLimit - below);
            EXPECT_EQ(soundsPlayed(catchWave), ++catches);
            EXPECT_EQ(gameVars.lives, 3);

            emptyRound();
            gameVars.bartenderBar = b.bar % 3 + 1;
            pubScreen.launchMug(1, b.bar, b.breakLimit + distance);
            EXPECT_EQ(slideUntil(lifeLost, 20) - 2, b.breakLimit - below);
            EXPECT_EQ(gameVars.lives, 2);
            EXPECT_EQ(soundsPlayed(catchWave), catches);
        }
    }
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
        return drawnAlone([] { pubScreen.checkMugs(); });
    }
    std::vector<std::uint32_t> expectedPicture(bool withNear) {
        return drawnAlone([withNear] {
            pubScreen.beerSprite.blit(0, 54, 59, 104, 645, 275);
            if (withNear) {
                pubScreen.beerSprite.blit(55, 55, 133, 111, 54, 275);
            }
        });
    }
};

TEST_F(BrokenMugPictures, NearEndBreakWhileTheBreakSoundPlaysShowsOnlyTheFarPicture) {
    emptyRound();
    EXPECT_EQ(nearBreakPicture(), expectedPicture(true));
    EXPECT_EQ(soundsPlayed(breakWave), 1);

    platform::headless::advanceMs(500); // the break sound lasts 958 ms
    EXPECT_EQ(nearBreakPicture(), expectedPicture(false));
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
    EXPECT_EQ(drawnAlone([] { pubScreen.drawMugs(); }),
              drawnAlone([] { pubScreen.beerSprite.blit(0, 0, 40, 52, 699, 440); }));
    pubScreen.mugs[1].x = 700;
    EXPECT_TRUE(allBlack(drawnAlone([] { pubScreen.drawMugs(); })));
}
