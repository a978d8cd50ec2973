// The title's heaviest frame: the last burst (a full-screen flash, the 142nd fire) with 142 fires
// drawn and the sprite repair that the empty text line's failed blit sets off.
// Also the still picture after the typing, for comparison. Target: under 2 ms a frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>

#include "app/globals.h"
#include "headless_app.h"
#include "program/run_game.h"
#include "screens/title_screen.h"

namespace {

struct SequenceSnapshot {
    Fire fires[TitleScreen::maxFires];
    std::int32_t titleStep, phaseTicks, revealWidth, burstFrame, fireCount, letterCount, cursorTicks;
    bool stepping, bursting, typing, cursorHidden;

    void take() {
        std::copy(std::begin(titleScreen.fires), std::end(titleScreen.fires), fires);
        titleStep = ::titleStep;
        phaseTicks = ::phaseTicks;
        revealWidth = ::revealWidth;
        burstFrame = ::burstFrame;
        fireCount = ::fireCount;
        letterCount = ::letterCount;
        cursorTicks = ::cursorTicks;
        stepping = ::stepping;
        bursting = ::bursting;
        typing = ::typing;
        cursorHidden = ::cursorHidden;
    }

    void put() const {
        std::copy(std::begin(fires), std::end(fires), titleScreen.fires);
        ::titleStep = titleStep;
        ::phaseTicks = phaseTicks;
        ::revealWidth = revealWidth;
        ::burstFrame = burstFrame;
        ::fireCount = fireCount;
        ::letterCount = letterCount;
        ::cursorTicks = cursorTicks;
        ::stepping = stepping;
        ::bursting = bursting;
        ::typing = typing;
        ::cursorHidden = cursorHidden;
    }
};

// Without a sound device every burst flashes.
bool startTitle() {
    platform::HeadlessOptions options;
    options.soundDevice = false;
    titleScreen = TitleScreen{};
    resetTitleState();
    if (!startApplication(options)) {
        return false;
    }
    titleScreen.load();
    return titleScreen.klosedSprite.surface != nullptr && titleScreen.fireSprite.surface != nullptr &&
           titleScreen.explosionSprite.surface != nullptr;
}

void tickedFrame() {
    app.countTick();
    app.refreshTickFlag();
    titleScreen.frame();
}

void stopTitle() {
    titleScreen.teardown();
    app.releaseDisplay();
}

// Runs the ticked frame that follows `ticks` ticked frames, from the same state every time.
void runTitleFrameAfter(benchmark::State& state, int ticks) {
    if (!startTitle()) {
        state.SkipWithError("no display or no title pictures (run from the build directory)");
        return;
    }
    for (int t = 0; t < ticks; ++t) {
        tickedFrame();
    }
    SequenceSnapshot snapshot;
    snapshot.take();
    for (auto _ : state) {
        snapshot.put();
        tickedFrame();
        benchmark::ClobberMemory();
    }
    stopTitle();
}

void BM_TitleLastBurstFrame(benchmark::State& state) {
    runTitleFrameAfter(state, 52); // the 53rd: last burst, flash, fires 139 to 142
    if (fireCount != 142 || letterCount != -1) {
        state.SkipWithError("not the frame of the last burst");
    }
}
BENCHMARK(BM_TitleLastBurstFrame)->Unit(benchmark::kMicrosecond);

void BM_TitleStillFrame(benchmark::State& state) { runTitleFrameAfter(state, 200); }
BENCHMARK(BM_TitleStillFrame)->Unit(benchmark::kMicrosecond);

} // namespace
