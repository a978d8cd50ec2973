// Holds presented frames to at most 60 a second, each in a slot of its own. The arithmetic only:
// the desktop sleeps out the hold, a page waits for the browser's display frames until none is
// left. Where the display's own refresh paces the frames (vsync, a page's display frames), a
// frame may go a little before its slot, so that a 60 Hz display's jitter never costs a frame and
// faster displays average 60. A display slower than 60 Hz leaves the game behind its slots: the
// frames due then go at once, one after another, up to a few frames' worth; later than that (a
// page put away, a machine stalled) a new rhythm starts instead of a rush to catch up.
#pragma once

#include <cstdint>

namespace platform {

class FramePacer {
public:
    static constexpr std::int64_t kFrameNs = 1'000'000'000 / 60;
    static constexpr std::int64_t kEarlyNs = kFrameNs / 4;
    static constexpr std::int64_t kCatchUpNs = 4 * kFrameNs;

    // How long the frame ready at nowNs must still wait for its slot; 0 when it may go now.
    std::int64_t holdNs(std::int64_t nowNs, bool displayPaced) const;
    // The frame went out at nowNs: the next slot follows.
    void shown(std::int64_t nowNs);

private:
    std::int64_t nextNs_ = 0;
};

} // namespace platform
