// The game's pace on simulated displays of 30 to 240 Hz, through the desktop's and the page's own
// present code, the frame pacer and the window timer: 60 frames a second evenly spaced, a tick in
// every one, what a slow display shows a fair sample of them, a hitch made up by one frame at most.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/core/backend.h"
#include "platform/headless.h"
#include "platform/headless/headless_backend.h"
#include "platform/present/present_rhythm.h"
#include "platform/window.h"

namespace {

using namespace platform;

constexpr std::int64_t kMsNs = 1'000'000;
constexpr std::int64_t kSecondNs = 1000 * kMsNs;
constexpr std::int64_t kFrameNs = FramePacer::kFrameNs;
constexpr std::int64_t kWorkNs = 2 * kMsNs; // what the game takes to make a frame

std::int64_t now() { return backend().nowNs(); }
void runTo(std::int64_t ns) { headlessBackend().advanceNs(std::max<std::int64_t>(0, ns - now())); }

struct Frame {
    std::int64_t startNs;   // when the game began it, after the wait for its slot
    std::int64_t paintedNs; // the refresh that shows it, unless a newer frame comes first
    bool ticked;
};

// A display refreshing every periodNs, reporting reportedHz (0: nothing), with vsync on the
// desktop and display frames on a page.
class SimulatedDisplay final : public DisplayPort {
public:
    SimulatedDisplay(int hz, int reportedHz, bool page) : page_(page) { moveTo(hz, reportedHz); }
    void moveTo(int hz, int reportedHz) {
        periodNs_ = kSecondNs / hz;
        reportedHz_ = reportedHz;
    }

    std::int64_t nowNs() override { return now(); }
    void show() override {
        std::int64_t painted = inDisplayFrame_ ? displayFrameNs_ : refreshAfter(now() - 1);
        if (vsync_) runTo(painted = refreshAfter(now()));
        frames.push_back(Frame{startNs, painted, ticked});
    }
    void sleepNs(std::int64_t ns) override {
        runTo(now() + (ns + kMsNs - 1) / kMsNs * kMsNs);
        inDisplayFrame_ = false;
    }
    std::int64_t refreshNs() override { return reportedHz_ > 0 ? kSecondNs / reportedHz_ : 0; }
    std::int64_t nextDisplayFrameNs() override {
        runTo(displayFrameNs_ = refreshAfter(now()));
        inDisplayFrame_ = true;
        return now();
    }
    void setVsync(bool on) override { vsync_ = on && !page_; }
    bool vsync() override { return vsync_; }

    std::vector<Frame> frames;
    std::int64_t startNs = 0;
    bool ticked = false;

private:
    // Refreshes at a phase of their own, a third of a period after the game's clock starts.
    std::int64_t refreshAfter(std::int64_t t) const {
        std::int64_t phase = periodNs_ / 3;
        return t < phase ? phase : phase + ((t - phase) / periodNs_ + 1) * periodNs_;
    }

    bool page_;
    std::int64_t periodNs_ = 0;
    int reportedHz_ = 0;
    bool vsync_ = false;
    bool inDisplayFrame_ = false;
    std::int64_t displayFrameNs_ = 0;
};

struct Pace {
    double framesPerSecond = 0, ticksPerSecond = 0;
    double tickedShown = 0; // the share of frames with a tick that reach the screen
    double even = 0;        // the share of frames begun within 2 ms of a 60th of a second after the last
    int madeUp = 0;         // frames begun back to back after the hitch
};

struct Hitch {
    std::int64_t atNs = -1, ns = 0;
};

// The main loop's shape: the messages first (a frame sees a tick when a WM_TIMER came since the
// last), the frame, the flip. Measured from fromNs to 10 s.
template <class Rhythm>
Pace run(SimulatedDisplay& display, std::int64_t fromNs = kSecondNs, Hitch hitch = {}, std::int64_t moveAtNs = -1,
         int movedHz = 0) {
    headless::reset();
    SetTimer(nullptr, 0, 1, nullptr);
    Rhythm rhythm;
    std::size_t hitchFrame = 0;
    while (now() < 10 * kSecondNs) {
        if (moveAtNs >= 0 && now() >= moveAtNs) display.moveTo(movedHz, movedHz), moveAtNs = -1;
        display.startNs = now();
        MSG msg;
        display.ticked = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) display.ticked |= msg.message == WM_TIMER;
        headlessBackend().advanceNs(kWorkNs);
        if (hitch.atNs >= 0 && now() >= hitch.atNs) {
            headlessBackend().advanceNs(hitch.ns);
            hitch.atNs = -1;
            hitchFrame = display.frames.size();
        }
        rhythm.present(display);
    }
    const std::vector<Frame>& frames = display.frames;
    Pace pace;
    int counted = 0, ticked = 0, tickedShown = 0, even = 0;
    for (std::size_t i = 1; i + 1 < frames.size(); ++i) {
        if (frames[i].startNs < fromNs) continue;
        ++counted;
        std::int64_t gap = frames[i].startNs - frames[i - 1].startNs;
        even += std::abs(gap - kFrameNs) <= 2 * kMsNs;
        if (hitchFrame > 0 && i > hitchFrame && i <= hitchFrame + 10 && gap < kFrameNs * 3 / 4) ++pace.madeUp;
        if (!frames[i].ticked) continue;
        ++ticked;
        tickedShown += frames[i + 1].paintedNs != frames[i].paintedNs;
    }
    double seconds = static_cast<double>(frames[frames.size() - 2].startNs - fromNs) / kSecondNs;
    pace.framesPerSecond = counted / seconds;
    pace.ticksPerSecond = ticked / seconds;
    pace.tickedShown = ticked > 0 ? static_cast<double>(tickedShown) / ticked : 0;
    pace.even = counted > 0 ? static_cast<double>(even) / counted : 0;
    return pace;
}

void expectSixtyWithTicks(const Pace& pace, double shownAtLeast) {
    EXPECT_NEAR(pace.framesPerSecond, 60, 0.5);
    EXPECT_GE(pace.ticksPerSecond, 59);
    EXPECT_GE(pace.even, 0.95);
    EXPECT_GE(pace.tickedShown, shownAtLeast);
}

TEST(PresentRhythm, SixtyEvenFramesEachWithItsTickAndAFairShareShownOnEveryDisplay) {
    for (int hz : {30, 36, 45, 50, 60, 75, 90, 120, 144, 165, 240}) {
        SCOPED_TRACE(testing::Message() << hz << " Hz");
        double shown = 0.9 * std::min(1.0, hz / 60.0);
        {
            SCOPED_TRACE("desktop");
            SimulatedDisplay display(hz, hz, false);
            expectSixtyWithTicks(run<DesktopRhythm>(display), shown);
        }
        {
            SCOPED_TRACE("page");
            SimulatedDisplay display(hz, hz, true);
            expectSixtyWithTicks(run<PageRhythm>(display), shown);
        }
    }
}

TEST(PresentRhythm, TheDesktopLeavesVsyncToADisplaySlowerThanItSaysOrOneItMovesTo) {
    {
        SCOPED_TRACE("30 Hz, saying nothing");
        SimulatedDisplay display(30, 0, false);
        expectSixtyWithTicks(run<DesktopRhythm>(display), 0.45);
    }
    {
        SCOPED_TRACE("from 144 Hz to 30 Hz");
        SimulatedDisplay display(144, 144, false);
        expectSixtyWithTicks(run<DesktopRhythm>(display, 6 * kSecondNs, {}, 5 * kSecondNs, 30), 0.45);
    }
}

TEST(PresentRhythm, AHitchIsMadeUpByOneFrameAtMostAndAStallStartsANewRhythm) {
    for (int hz : {30, 60, 90, 120}) {
        for (std::int64_t ms : {40, 80, 500}) {
            SCOPED_TRACE(testing::Message() << hz << " Hz, " << ms << " ms");
            SimulatedDisplay desktop(hz, hz, false), page(hz, hz, true);
            Hitch hitch{5 * kSecondNs, ms * kMsNs};
            Pace onDesktop = run<DesktopRhythm>(desktop, kSecondNs, hitch);
            Pace onPage = run<PageRhythm>(page, kSecondNs, hitch);
            EXPECT_LE(onDesktop.madeUp, ms < 100 ? 1 : 0);
            EXPECT_LE(onPage.madeUp, ms < 100 ? 1 : 0);
            // The time lost is lost: 60 frames a second before and after, none in the hitch.
            EXPECT_NEAR(onDesktop.framesPerSecond, 60 * (9 - ms / 1000.0) / 9, 1.0);
            EXPECT_NEAR(onPage.framesPerSecond, 60 * (9 - ms / 1000.0) / 9, 1.0);
        }
    }
}

} // namespace
