// The movement pace taken from the processor clock, the lanes' bars, and the first frame of play.
#include <cstdint>
#include <string>
#include <vector>

#include "app/globals.h"
#include "game/cycle_measure.h"
#include "game/pub_screen.h"
#include "play_fixture.h"

TEST(FramesPerStep, FollowsTheLow32BitsReadAsSigned) {
    EXPECT_EQ(framesPerStepFor(466'000'000ull), 0);
    EXPECT_EQ(framesPerStepFor(500'000'000ull), 1);
    EXPECT_EQ(framesPerStepFor(1'000'000'000ull), 2);
    EXPECT_EQ(framesPerStepFor(1'500'000'000ull), 3);
    EXPECT_EQ(framesPerStepFor(2'000'000'000ull), 4);
    EXPECT_EQ(framesPerStepFor(2'200'000'000ull), -4);
    EXPECT_EQ(framesPerStepFor(3'000'000'000ull), -2);
    EXPECT_EQ(framesPerStepFor(4'000'000'000ull), 0);
    // Only the low 32 bits count: 2^32 more cycles change nothing.
    EXPECT_EQ(framesPerStepFor(1'000'000'000ull + (1ull << 32)), 2);
}

TEST(BarOf, LanesAndTheGapsBetweenThem) {
    EXPECT_EQ(barOf(85), 1);
    EXPECT_EQ(barOf(234), 2);
    EXPECT_EQ(barOf(400), 3);
    EXPECT_EQ(barOf(139), 1);
    for (int y : {140, 150, 160, 280, 290, 300}) {
        EXPECT_EQ(barOf(y), 0) << y;
    }
    EXPECT_EQ(barOf(161), 2);
    EXPECT_EQ(barOf(279), 2);
    EXPECT_EQ(barOf(301), 3);
    EXPECT_EQ(barOf(-5), 1);
}

// The program started on a processor with this clock.
template <std::uint64_t cyclesPerSecond>
class MeasuredAt : public PlayTest {
protected:
    platform::HeadlessOptions options() const override {
        platform::HeadlessOptions o;
        o.cyclesPerSecond = cyclesPerSecond;
        return o;
    }
};
using MeasuredAt2200MHz = MeasuredAt<2'200'000'000ull>;
using MeasuredAt1GHz = MeasuredAt<1'000'000'000ull>;

TEST_F(MeasuredAt2200MHz, LoadMeasuresTheClockIntoTheStepPace) {
    // Polling the counter takes a little time of its own.
    const std::uint64_t measured = measureCyclesPerSecond();
    EXPECT_GE(measured, 2'200'000'000ull);
    EXPECT_LT(measured, 2'222'000'000ull);
    EXPECT_EQ(framesPerStep, -4);
}

TEST_F(MeasuredAt1GHz, LoadMeasuresTheClockIntoTheStepPace) {
    EXPECT_EQ(framesPerStep, 2);
}

TEST_F(PlayTest, FirstFramePlacesTheRoundOnceOnly) {
    EXPECT_EQ(pubScreen.customers[0].x, 0);
    runFrame();
    const Customer placed = pubScreen.customers[0];
    EXPECT_GE(placed.x, 700 - 1);
    EXPECT_LT(placed.x, 700 + 400);
    EXPECT_TRUE(placed.y == 85 || placed.y == 234 || placed.y == 400);
    for (int frame = 2; frame <= 20; ++frame) {
        runFrame();
    }
    // Walked on from where he was placed, never placed anew.
    EXPECT_EQ(pubScreen.customers[0].x, placed.x - 19);
    EXPECT_EQ(pubScreen.customers[0].y, placed.y);
    EXPECT_EQ(pubScreen.frameCount, 20);
}

TEST_F(PlayTest, OnePaceOrLessMovesEveryFrame) {
    for (int pace : {0, 1, -1, -4}) {
        emptyRound();
        placeCustomer(0, 2, 500);
        framesPerStep = pace;
        stepCounter = 0;
        for (int frame = 0; frame < 3; ++frame) {
            runFrame();
        }
        EXPECT_EQ(pubScreen.customers[0].x, 497) << "pace " << pace;
    }
}

TEST_F(PlayTest, PaceOfFourMovesEveryFourthFrame) {
    emptyRound();
    placeCustomer(0, 2, 500);
    pubScreen.launchMug(0, 1, 0);
    framesPerStep = 4;
    stepCounter = 0;
    int moves[8] = {};
    for (int frame = 0; frame < 8; ++frame) {
        runFrame();
        moves[frame] = pubScreen.customers[0].x;
    }
    const int expected[8] = {500, 500, 500, 499, 499, 499, 499, 498};
    for (int frame = 0; frame < 8; ++frame) {
        EXPECT_EQ(moves[frame], expected[frame]) << "frame " << frame + 1;
    }
    // The mugs move in the same steps.
    EXPECT_EQ(pubScreen.mugs[1].x, 154);
}

TEST_F(PlayTest, LoadTakesEveryPictureAndSoundAndKeysAllButTheFloor) {
    for (const Sprite* sprite :
         {&pubScreen.floorSprite, &pubScreen.bartenderSprite, &pubScreen.beerSprite, &pubScreen.drunkSprite}) {
        EXPECT_NE(sprite->surface, nullptr) << sprite->fileName;
    }
    EXPECT_FALSE(pubScreen.floorSprite.keyed);
    EXPECT_TRUE(pubScreen.bartenderSprite.keyed);
    EXPECT_TRUE(pubScreen.beerSprite.keyed);
    EXPECT_TRUE(pubScreen.drunkSprite.keyed);

    pubScreen.spareSound.play();
    pubScreen.moveSound.play();
    pubScreen.gameOverSound.play();
    const std::vector<int> expected = {130, 121, 129};
    EXPECT_EQ(platform::headless::soundLog(), expected);
}

TEST_F(PlayTest, TeardownReleasesTheSoundsBeforeThePictures) {
    platform::headless::clearTrace();
    pubScreen.teardown();
    std::vector<std::string> releases;
    for (const std::string& event : platform::headless::trace()) {
        if (event.find("Release") != std::string::npos) {
            releases.push_back(event);
        }
    }
    ASSERT_EQ(releases.size(), 13u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(releases[i], "IDirectSoundBuffer::Release") << i;
    }
    for (int i = 9; i < 13; ++i) {
        EXPECT_EQ(releases[i], "IDirectDrawSurface::Release") << i;
    }
    EXPECT_EQ(pubScreen.floorSprite.surface, nullptr);
}
