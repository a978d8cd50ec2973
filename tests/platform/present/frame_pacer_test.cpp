// Frames paced by a display's own refresh, as a page's display frames or a vsynced desktop pace
// them: at most 60 game frames a second whatever the refresh, none before its slot by more than the
// slack, the frames due made up on a display slower than 60 Hz, and a stall starting a new rhythm.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/present/frame_pacer.h"

namespace {

using platform::FramePacer;

constexpr std::int64_t kSecondNs = 1'000'000'000;
constexpr std::int64_t kWorkNs = 2'000'000; // what the game takes to make a frame

// The times frames go out over durationNs on a display refreshing every periodNs, give or take a
// millisecond, with a stall
// of stallNs (nothing drawn, no display frame taken) at stallAtNs.
std::vector<std::int64_t> shownTimes(std::int64_t periodNs, std::int64_t durationNs, std::int64_t stallAtNs = -1,
                                     std::int64_t stallNs = 0) {
    FramePacer pacer;
    std::vector<std::int64_t> shown;
    std::int64_t now = 0;
    for (;;) {
        now += kWorkNs;
        if (stallAtNs >= 0 && now >= stallAtNs) {
            now += stallNs;
            stallAtNs = -1;
        }
        // Wait for display frames until the frame may go. They come a millisecond early or late.
        while (pacer.holdNs(now, true) > 0) {
            std::int64_t k = now / periodNs + 1;
            auto displayFrame = [&](std::int64_t n) { return n * periodNs + (n % 3 - 1) * 1'000'000; };
            now = displayFrame(k) > now ? displayFrame(k) : displayFrame(k + 1);
        }
        if (now >= durationNs) return shown;
        pacer.shown(now);
        shown.push_back(now);
    }
}

TEST(FramePacer, SixtyFramesASecondOnEveryDisplayNoneEarly) {
    for (int hz : {30, 60, 120, 144}) {
        SCOPED_TRACE(hz);
        const std::vector<std::int64_t> shown = shownTimes(kSecondNs / hz, 10 * kSecondNs);
        EXPECT_LE(shown.size(), 601u);
        EXPECT_GE(shown.size(), 590u);
        for (std::size_t i = 0; i < shown.size(); ++i)
            ASSERT_GE(shown[i], static_cast<std::int64_t>(i) * FramePacer::kFrameNs - FramePacer::kEarlyNs)
                << "frame " << i << " went early";
    }
}

TEST(FramePacer, AStallStartsANewRhythmInsteadOfARush) {
    const std::int64_t period = kSecondNs / 60;
    const std::vector<std::int64_t> shown = shownTimes(period, 3 * kSecondNs, kSecondNs, kSecondNs / 2);
    std::size_t after = 0;
    while (shown[after] < kSecondNs + kSecondNs / 2) ++after;
    // The half second lost is not made up: one frame a display frame from there on.
    for (std::size_t i = after + 1; i < after + 30; ++i) EXPECT_GT(shown[i] - shown[i - 1], period / 2);
    EXPECT_LT(shown.size(), 155u);
}

TEST(FramePacer, WithoutADisplayToPaceItAFrameNeverGoesBeforeItsSlot) {
    FramePacer pacer;
    pacer.shown(0);
    EXPECT_EQ(pacer.holdNs(FramePacer::kFrameNs - 1, false), 1);
    EXPECT_EQ(pacer.holdNs(FramePacer::kFrameNs, false), 0);
    EXPECT_EQ(pacer.holdNs(FramePacer::kFrameNs - FramePacer::kEarlyNs, true), 0);
}

} // namespace
