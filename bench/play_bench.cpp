// One frame of play at its busiest: 15 customers walking, drinking and half behind the doors, and
// 100 mugs sliding both ways, from the same state every time. Presenting is not counted.
// Target: under 0.5 ms a frame. With a player's floor of 1600 by 1200, whose draw fails and
// repairs the sprite from its file in every frame: under 16.7 ms, 60 frames a second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>

#include "app/globals.h"
#include "bmp_image.h"
#include "game/pub_screen.h"
#include "headless_app.h"
#include "picture_folder.h"
#include "program/run_game.h"

namespace {

// Only the play state: the pictures and sounds stay as loaded.
struct PlaySnapshot {
    Customer customers[PubScreen::customerSlots];
    Mug mugs[PubScreen::mugSlots];
    std::int32_t clearedCount;
    GameVars vars;
    std::int32_t mugIndex;

    void take() {
        std::copy(std::begin(pubScreen.customers), std::end(pubScreen.customers), std::begin(customers));
        std::copy(std::begin(pubScreen.mugs), std::end(pubScreen.mugs), std::begin(mugs));
        clearedCount = pubScreen.clearedCount;
        vars = gameVars;
        mugIndex = lastMug;
    }
    void put() const {
        std::copy(std::begin(customers), std::end(customers), std::begin(pubScreen.customers));
        std::copy(std::begin(mugs), std::end(mugs), std::begin(pubScreen.mugs));
        pubScreen.clearedCount = clearedCount;
        gameVars = vars;
        lastMug = mugIndex;
    }
};

bool startPlay() {
    pubScreen = PubScreen{};
    resetPlayState();
    if (!startApplication()) {
        return false;
    }
    pubScreen.load();
    return pubScreen.floorSprite.surface != nullptr && pubScreen.drunkSprite.surface != nullptr &&
           pubScreen.beerSprite.surface != nullptr && pubScreen.bartenderSprite.surface != nullptr;
}

// Customers out of reach of every mug, so that each full mug is tried against all fifteen.
void setUpBusyFrame() {
    const int lanes[3] = {85, 234, 400};
    const int mugTracks[3] = {120, 275, 440};
    gameVars.customerCount = 15;
    gameVars.bartenderBar = 1;
    pubScreen.frameCount = 100;
    for (int i = 0; i < 15; ++i) {
        Customer& c = pubScreen.customers[i];
        c.y = lanes[i % 3];
        c.x = 640 + i * 10;
        c.look = i % 6;
        c.drinking = i % 5 == 0 ? 1 : 0;
    }
    lastMug = 100;
    for (int m = 0; m <= 100; ++m) {
        Mug& mug = pubScreen.mugs[m];
        mug.y = mugTracks[m % 3];
        mug.full = m % 2 == 0 ? 1 : 0;
        mug.x = 220 + (m * 7) % 360;
    }
}

void runBusyFrames(benchmark::State& state) {
    if (!startPlay()) {
        state.SkipWithError("no display or no play pictures (run from the build directory)");
        return;
    }
    setUpBusyFrame();
    PlaySnapshot snapshot;
    snapshot.take();
    for (auto _ : state) {
        snapshot.put();
        app.countTick();
        app.clearBackBuffer();
        frameDispatch(SCREEN_PLAY);
        benchmark::ClobberMemory();
    }
    if (gameVars.lives != 3) {
        state.SkipWithError("a life was lost: not the frame meant");
    }
    pubScreen.teardown();
    app.releaseDisplay();
}

void BM_PlayFrame(benchmark::State& state) { runBusyFrames(state); }
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond);

void BM_PlayFrameWithAFloorTooLarge(benchmark::State& state) {
    const PictureFolder pictures;
    if (!writeBmp(pictures.picture("floor.bmp"), 1600, 1200,
                  [](int x, int y) { return RGB(x & 0xFF, y & 0xFF, 90); })) {
        state.SkipWithError("no room for the floor");
        return;
    }
    PictureFolder::settle(pictures.picture("floor.bmp"));
    runBusyFrames(state);
}
BENCHMARK(BM_PlayFrameWithAFloorTooLarge)->Unit(benchmark::kMillisecond);

} // namespace
