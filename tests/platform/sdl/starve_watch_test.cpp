// The sound device's starve watch on asks timed by hand: what counts as running dry, and when a
// device has run dry often enough to be given a larger buffer.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/sdl/starve_watch.h"

namespace {

using platform::StarveWatch;

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t kBuffer = 5'805'000; // 256 frames at 44100 Hz

// A device of quick buffers that holds one more of its own. now is when its next ask is due.
struct Device {
    StarveWatch watch{kBuffer, kBuffer};
    std::int64_t now = 0;
    int moves = 0;

    // Asks, count of them at once, and the next is due a buffer later.
    void ask(int count = 1) {
        for (int i = 0; i < count; ++i) moves += watch.asked(now) ? 1 : 0;
        now += kBuffer;
    }
    void askFor(std::int64_t ns, std::int64_t everyNs = kBuffer) {
        for (const std::int64_t end = now + ns; now < end; now += everyNs - kBuffer) ask();
    }
    // An ask held up by ns: a starve where ns is more than the device holds.
    void late(std::int64_t ns) {
        now += ns;
        ask();
    }
};

// Past the asks of the start, which say nothing.
Device settled() {
    Device device;
    device.askFor(StarveWatch::kSettleNs);
    return device;
}

TEST(StarveWatch, HitchesWithinWhatTheDeviceHoldsAreNoStarve) {
    Device device = settled();
    // Late by most of the device's own buffer, often; asks that come in pairs, each pair after a
    // gap of nearly three buffers; a device clock a hundredth slow.
    for (int i = 0; i < 2000; ++i) device.late(kBuffer * 9 / 10);
    for (int i = 0; i < 2000; ++i) {
        device.ask(2);
        device.now += kBuffer * 19 / 10;
    }
    device.askFor(60'000 * kMs, kBuffer * 101 / 100);
    EXPECT_EQ(device.moves, 0);
}

TEST(StarveWatch, ThreeStarvesWithinTenSecondsMoveTheDeviceOnce) {
    Device device = settled();
    device.late(40 * kMs);
    device.askFor(6'000 * kMs);
    device.late(40 * kMs);
    device.askFor(5'000 * kMs);
    device.late(40 * kMs); // the first is now more than ten seconds behind
    EXPECT_EQ(device.moves, 0);
    device.askFor(100 * kMs);
    device.late(40 * kMs);
    EXPECT_EQ(device.moves, 1);
    for (int i = 0; i < 5; ++i) device.late(40 * kMs);
    EXPECT_EQ(device.moves, 1) << "once";
}

TEST(StarveWatch, TheStartCountsNoStarveNorHidesOne) {
    Device device;
    // Opening: the server connects late, then the device fills up at once.
    for (int i = 0; i < 3; ++i) device.late(800 * kMs);
    device.ask(200);
    EXPECT_EQ(device.moves, 0);
    // All that was handed at once is no more than the device holds: stalls soon after are starves.
    for (int i = 0; i < 3; ++i) device.late(3 * kBuffer);
    EXPECT_EQ(device.moves, 1);
}

TEST(StarveWatch, AFastDeviceClockHidesNoLaterStarve) {
    Device device = settled();
    device.askFor(600'000 * kMs, kBuffer * 99 / 100);
    for (int i = 0; i < 3; ++i) device.late(20 * kMs);
    EXPECT_EQ(device.moves, 1);
}

} // namespace
