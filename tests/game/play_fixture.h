// A started program on the headless backend with the pub screen loaded, and the means to look
// at what a frame drew and heard.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/headless.h"
#include "program/program_objects.h"

class PlayTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // What the headless world starts with; a fixture may ask for another.
    virtual platform::HeadlessOptions options() const;

    // One frame of play as the main loop runs it: cleared back buffer, then the pub's frame.
    void runFrame();
    // One frame in which the timer has ticked.
    void runTickedFrame();
    // The round with no customer at all and no mug, so that a test places its own.
    void emptyRound();
    // Customer i walking on a bar at x, with look 0.
    void placeCustomer(int i, int bar, int x);
    // One frame with the key held, released after it.
    void frameWithKey(int key);
    int soundsPlayed(int waveId) const;

    std::optional<ProgramObjects> objects;
};

class SilentPlayTest : public PlayTest {
protected:
    platform::HeadlessOptions options() const override;
};

// The back buffer's pixels, 0x00RRGGBB, row after row.
std::vector<std::uint32_t> backBufferPixels();
void clearBackBuffer();
// The back buffer after drawing on it alone.
std::vector<std::uint32_t> drawnAlone(const std::function<void()>& draw);
bool allBlack(const std::vector<std::uint32_t>& pixels);
