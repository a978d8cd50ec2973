// The movement pace taken from the processor clock, the lanes' bars, and the first frame of play.
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "app/globals.h"
#include "game/bars.h"
#include "game/cycle_measure.h"
#include "game/pub_screen.h"
#include "play_fixture.h"

TEST(FramesPerStep, FollowsTheLow32BitsReadAsSigned) {
    // Only the low 32 bits count: 2^32 more cycles change nothing.
    const std::pair<std::uint64_t, int> cases[] = {
        {466'000'000ull, 0},    {500'000'000ull, 1},   {1'000'000'000ull, 2},
        {1'500'000'000ull, 3},  {2'000'000'000ull, 4}, {2'200'000'000ull, -4},
        {3'000'000'000ull, -2}, {4'000'000'000ull, 0}, {1'000'000'000ull + (1ull << 32), 2},
        {934'912'907ull, 1},    {934'912'908ull, 2}};
    for (const auto& [cycles, pace] : cases) {
        EXPECT_EQ(framesPerStepFor(cycles), pace) << cycles;
    }
}

TEST(BarOf, LanesAndTheGapsBetweenThem) {
    // Bar 0 is a gap between lanes.
    const std::pair<int, int> cases[] = {{85, 1},  {234, 2}, {400, 3}, {139, 1}, {140, 0}, {150, 0}, {160, 0},
                                         {280, 0}, {290, 0}, {300, 0}, {161, 2}, {279, 2}, {301, 3}, {-5, 1}};
    for (const auto& [y, bar] : cases) {
        EXPECT_EQ(barOf(y), bar) << y;
    }
}

TEST(BarOf, OnlyBarsOneToThreeHaveALayoutAndOnlyTheirMugTracksABar) {
    EXPECT_EQ(barLayout(0), nullptr);
    EXPECT_EQ(barLayout(4), nullptr);
    for (std::int32_t bar = 1; bar <= 3; ++bar) {
        EXPECT_EQ(mugBarOf(barLayout(bar)->mugY), bar);
    }
    EXPECT_EQ(mugBarOf(0), 0);
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

TEST_F(MeasuredAt1GHz, LoadMeasuresTheClockIntoTheStepPace) { EXPECT_EQ(framesPerStep, 2); }

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

    pubScreen.frameCount = std::numeric_limits<std::int32_t>::max();
    runFrame();
    EXPECT_EQ(pubScreen.frameCount, std::numeric_limits<std::int32_t>::max()) << "held at its ceiling";
    EXPECT_EQ(pubScreen.customers[0].x, placed.x - 20) << "not placed anew";
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
    const int expected[8] = {500, 500, 500, 499, 499, 499, 499, 498};
    for (int frame = 0; frame < 8; ++frame) {
        runFrame();
        EXPECT_EQ(pubScreen.customers[0].x, expected[frame]) << "frame " << frame + 1;
    }
    // The mugs move in the same steps.
    EXPECT_EQ(pubScreen.mugs[1].x, 154);
}

TEST_F(PlayTest, LoadTakesEveryPictureAndSoundAndKeysAllButTheFloor) {
    for (const Sprite* sprite :
         {&pubScreen.floorSprite, &pubScreen.bartenderSprite, &pubScreen.beerSprite, &pubScreen.drunkSprite}) {
        EXPECT_NE(sprite->surface, nullptr) << sprite->fileName;
        EXPECT_EQ(sprite->keyed, sprite != &pubScreen.floorSprite) << sprite->fileName;
    }

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
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(releases[i], i < 9 ? "IDirectSoundBuffer::Release" : "IDirectDrawSurface::Release") << i;
    }
    EXPECT_EQ(pubScreen.floorSprite.surface, nullptr);

    platform::headless::clearTrace();
    pubScreen.teardown();
    EXPECT_EQ(platform::headless::trace(), std::vector<std::string>{}) << "a second teardown releases nothing";
}
