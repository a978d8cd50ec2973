#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/core/backend.h"
#include "platform/core/system.h"
#include "platform/headless.h"

namespace {

using namespace platform;

TEST(HeadlessClock, ASpinOnTheCounterEndsAndTheCycleCounterFollowsVirtualTime) {
    HeadlessOptions options;
    options.cyclesPerSecond = 2'000'000'000;
    options.calendarTime = 1234;
    headless::reset(options);
    LARGE_INTEGER frequency{}, start{}, now{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    QueryPerformanceCounter(&start);
    std::uint64_t cyclesAtStart = ReadTimeStampCounter();
    int polls = 0;
    do {
        QueryPerformanceCounter(&now);
        ++polls;
    } while (now.QuadPart - start.QuadPart < frequency.QuadPart);
    EXPECT_EQ(polls, 1000);
    EXPECT_EQ(ReadTimeStampCounter() - cyclesAtStart, 2'000'000'000u);
    EXPECT_EQ(CalendarTimeSeconds(), 1234);
}

TEST(HeadlessPresent, KeepsTheLastFrameCountsFlipsAndLetsTimePass) {
    HeadlessOptions options;
    options.msPerFlip = 16.5;
    options.desktopBits = 16;
    headless::reset(options);
    EXPECT_EQ(backend().desktopBits(), 16);
    std::vector<int> seen;
    headless::setFlipHook([&](int presented) { seen.push_back(presented); });
    // Rows of 3 pixels in a pitch of 4, as a surface may be padded.
    std::vector<std::uint32_t> frame = {1, 2, 3, 0xDEAD, 4, 5, 6, 0xDEAD};
    backend().present(frame.data(), 3, 2, 16);
    backend().present(frame.data(), 3, 2, 16);
    EXPECT_EQ(headless::presentedCount(), 2);
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    EXPECT_EQ(headless::lastPresented(), (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(headless::presentedWidth(), 3);
    EXPECT_DOUBLE_EQ(headless::nowMs(), 33.0);
}

} // namespace
