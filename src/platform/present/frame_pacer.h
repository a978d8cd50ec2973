// Holds the game to 60 frames a second, each in a slot of its own a 60th of a second after the
// last: the arithmetic only (present_rhythm.h says how each target waits). Where the display's own
// refresh paces the frames (vsync, a page's display frames at a whole multiple of 60 Hz), a frame
// may go a little before its slot, so that a 60 Hz display's jitter never costs a frame. A late
// frame costs its time: a frame late by less than a slot is made up by the next, one later than
// that starts a new rhythm, so that frames never come in a burst.
#pragma once

#include <cstdint>

namespace platform {

class FramePacer {
public:
    static constexpr std::int64_t kFrameNs = 1'000'000'000 / 60;
    static constexpr std::int64_t kEarlyNs = kFrameNs / 4;

    // How long the frame ready at nowNs must still wait for its slot; 0 when it may go now.
    std::int64_t holdNs(std::int64_t nowNs, bool displayPaced) const;
    // The frame went out at nowNs: the next slot follows.
    void shown(std::int64_t nowNs);

private:
    std::int64_t nextNs_ = 0;
};

// Whether display frames of this period can pace the game by themselves: a whole multiple of
// 60 Hz (60, 120, 240), so that every frame of the game gets the same number of them. 0, a refresh
// not known, is trusted to be one.
bool displayPaces(std::int64_t refreshNs);

} // namespace platform
