// Customers: placing, walking, bobbing, the door, drinking, leaving and arriving.

#include "app/globals.h"
#include "game/pub_screen.h"
#include "platform/crt.h"
#include "play_fixture.h"

namespace {
constexpr int servedWave = 125;
constexpr int reachedWave = 128;
} // namespace

TEST_F(PlayTest, PlacingDrawsBarThenOffsetThenLook) {
    gameVars.customerCount = 4;
    gameVars.spawnSpread = 460;
    crt::srand(99);
    pubScreen.spawnCustomers();
    crt::srand(99);
    const int lanes[] = {85, 234, 400};
    for (int i = 0; i < 4; ++i) {
        const int bar = crt::rand() % 3;
        const int offset = crt::rand() % 460;
        const int look = crt::rand() % 6;
        EXPECT_EQ(pubScreen.customers[i].y, lanes[bar]) << i;
        EXPECT_EQ(pubScreen.customers[i].x, 700 + offset) << i;
        EXPECT_EQ(pubScreen.customers[i].look, look) << i;
    }
    EXPECT_EQ(pubScreen.customers[4].x, 0);
}

// From behind every door: a single pixel column down to the bar's door edge, one more a step
// below it, whole 41 columns below that, until he arrives just below the bar's arrival limit.
TEST_F(PlayTest, WalkersAreRevealedColumnByColumnAndArriveJustBelowTheLimitOfEachBar) {
    struct BarEnd {
        int bar;
        int doorEdge;
        int arrivesAt;
    };
    for (const BarEnd b : {BarEnd{1, 641, 159}, BarEnd{2, 673, 122}, BarEnd{3, 710, 89}}) {
        SCOPED_TRACE(b.bar);
        emptyRound();
        platform::headless::advanceMs(1000); // the last arrival's sound has ended
        gameVars.lives = 3;
        placeCustomer(0, b.bar, 750);
        int arrivedFrom = 0;
        while (gameVars.lives == 3) {
            const Customer c = pubScreen.customers[0];
            ASSERT_GT(c.x, 80);
            pubScreen.drawCustomers();
            const int width = pubScreen.customerRect.right - pubScreen.customerRect.left;
            if (c.x >= b.doorEdge) {
                EXPECT_EQ(width, 1) << c.x;
            } else if (c.x > b.doorEdge - 41) {
                EXPECT_EQ(width, b.doorEdge - c.x) << c.x;
            } else {
                EXPECT_EQ(width, 41) << c.x;
            }
            arrivedFrom = c.x;
            pubScreen.moveCustomers();
        }
        EXPECT_EQ(arrivedFrom - 1, b.arrivesAt);
        EXPECT_EQ(gameVars.bartenderPose, 3);
        EXPECT_EQ(soundsPlayed(reachedWave), b.bar);
    }
}

TEST_F(PlayTest, WalkerOnBarThreeJustInsideTheDoorShowsAFewColumns) {
    emptyRound();
    placeCustomer(0, 3, 705);
    pubScreen.drawCustomers();
    EXPECT_EQ(pubScreen.customerRect.right, 5);
    placeCustomer(0, 3, 799);
    pubScreen.customerRect = SourceRect{};
    EXPECT_TRUE(allBlack(drawnAlone([] { pubScreen.drawCustomers(); })));
    EXPECT_EQ(pubScreen.customerRect.right, 0);
    // A drinker behind the door is not drawn, so not clipped out through it either.
    for (int x : {798, 799}) {
        placeCustomer(0, 3, x);
        pubScreen.customers[0].drinking = 1;
        pubScreen.drawCustomers();
        EXPECT_EQ(pubScreen.customers[0].x, x < 799 ? 0 : x) << x;
    }
}

TEST_F(PlayTest, ArrivalRestartsTheRound) {
    emptyRound();
    gameVars.customerCount = 2;
    placeCustomer(0, 2, 123);
    placeCustomer(1, 3, 400);
    pubScreen.clearedCount = 1;
    pubScreen.launchMug(0, 1, 0);
    crt::srand(5);
    pubScreen.moveCustomers();
    EXPECT_EQ(gameVars.lives, 2);
    EXPECT_EQ(gameVars.bartenderPose, 3);
    EXPECT_EQ(pubScreen.clearedCount, 0);
    EXPECT_EQ(lastMug, 0);
    EXPECT_EQ(pubScreen.mugs[1].x, 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_GE(pubScreen.customers[i].x, 700) << i;
    }
    // The step ends at the arrival: the second customer stays where he was placed anew.
    crt::srand(5);
    for (int draw = 0; draw < 4; ++draw) {
        crt::rand();
    }
    EXPECT_EQ(pubScreen.customers[1].x, 700 + crt::rand() % gameVars.spawnSpread);
}

TEST_F(PlayTest, DrinkerOnBarTwoLeavesWhenHeReaches673) {
    emptyRound();
    placeCustomer(0, 2, 660);
    pubScreen.customers[0].drinking = 1;
    int leftAt = 0;
    for (int step = 0; step < 30 && pubScreen.customers[0].x != 0; ++step) {
        pubScreen.moveCustomers();
        leftAt = pubScreen.customers[0].x;
        pubScreen.drawCustomers();
        if (leftAt < 673) {
            EXPECT_EQ(pubScreen.clearedCount, 0) << leftAt;
        }
    }
    EXPECT_EQ(leftAt, 673);
    EXPECT_EQ(pubScreen.clearedCount, 1);
    EXPECT_EQ(pubScreen.score, 1);
    EXPECT_EQ(pubScreen.customers[0].drinking, 0);
    EXPECT_EQ(soundsPlayed(servedWave), 1);
}

TEST_F(PlayTest, DrinkerIsCutAtTheDoor) {
    emptyRound();
    placeCustomer(0, 2, 673 - 56 + 10);
    pubScreen.customers[0].drinking = 1;
    pubScreen.drawCustomers();
    EXPECT_EQ(pubScreen.customerRect.left, 42);
    EXPECT_EQ(pubScreen.customerRect.right, 42 + 46);
}

TEST_F(PlayTest, DrinkOf300PushesBack301PixelsThenTheEmptyMugComesBack) {
    emptyRound();
    placeCustomer(0, 3, 200);
    pubScreen.customers[0].drinking = 1;
    int steps = 0;
    while (pubScreen.customers[0].drinking == 1 && steps < 1000) {
        pubScreen.moveCustomers();
        ++steps;
    }
    EXPECT_EQ(steps, 301);
    EXPECT_EQ(pubScreen.customers[0].x, 501);
    EXPECT_EQ(pubScreen.customers[0].drinkProgress, 0);
    ASSERT_EQ(lastMug, 1);
    EXPECT_EQ(pubScreen.mugs[1].x, 501);
    EXPECT_EQ(pubScreen.mugs[1].y, 440);
    EXPECT_EQ(pubScreen.mugs[1].full, 0);
    // He walks again from the next step.
    pubScreen.moveCustomers();
    EXPECT_EQ(pubScreen.customers[0].x, 500);
}

TEST_F(PlayTest, DrinkOfZeroOrLessEndsAfterOneStep) {
    for (int drink : {0, -30}) {
        emptyRound();
        gameVars.drinkSteps = drink;
        placeCustomer(0, 1, 300);
        pubScreen.customers[0].drinking = 1;
        pubScreen.moveCustomers();
        EXPECT_EQ(pubScreen.customers[0].drinking, 0) << drink;
        EXPECT_EQ(pubScreen.mugs[lastMug].x, 301) << drink;
    }
}

TEST_F(PlayTest, BobRunsAFifteenTickCycle) {
    emptyRound();
    placeCustomer(0, 1, 400);
    const int expected[] = {1, 2, 3, 3, 4, 4, 4, 4, 4, 4, 3, 2, 1, 0, 0, 1, 2};
    for (int tick = 0; tick < 17; ++tick) {
        pubScreen.bobCustomer(0);
        EXPECT_EQ(pubScreen.customers[0].bob, expected[tick]) << tick;
    }
}

TEST_F(PlayTest, BobAdvancesOnlyOnTickedFrames) {
    emptyRound();
    placeCustomer(0, 1, 400);
    framesPerStep = 1000; // keep him still
    runFrame();
    runFrame();
    EXPECT_EQ(pubScreen.customers[0].bob, 0);
    runTickedFrame();
    EXPECT_EQ(pubScreen.customers[0].bob, 1);
    runFrame();
    EXPECT_EQ(pubScreen.customers[0].bob, 1);
}

class LookFiveOnBarOne : public PlayTest {
protected:
    // Where the customer's picture lands: the drawn frame against the picture placed at y.
    void expectDrawnAt(int left, int top, int right, int bottom, int y) {
        const int x = pubScreen.customers[0].x;
        EXPECT_EQ(drawnAlone([] { pubScreen.drawCustomers(); }),
                  drawnAlone([&] { pubScreen.drunkSprite.blit(left, top, right, bottom, x, y); }))
            << "y " << y;
        EXPECT_EQ(lookYOffset, 0);
    }
};

TEST_F(LookFiveOnBarOne, WalkingAt54To58AndDrinkingAt64) {
    emptyRound();
    placeCustomer(0, 1, 400);
    pubScreen.customers[0].look = 5;
    expectDrawnAt(0, 344, 41, 440, 54);
    pubScreen.customers[0].bob = 4;
    expectDrawnAt(0, 344, 41, 440, 58);
    pubScreen.customers[0].drinking = 1;
    expectDrawnAt(42, 344, 98, 440, 64);
}

TEST_F(LookFiveOnBarOne, LookZeroDrinkingIsTwoRowsShorter) {
    emptyRound();
    placeCustomer(0, 2, 400);
    pubScreen.customers[0].drinking = 1;
    expectDrawnAt(42, 0, 98, 66, 239);
    pubScreen.customers[0].drinking = 0;
    pubScreen.customers[0].bob = 2;
    expectDrawnAt(0, 0, 41, 68, 231);
}
