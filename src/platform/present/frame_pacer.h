// Holds presented frames to at most 60 a second by sleeping until each frame's slot.
#pragma once

#include <cstdint>

namespace platform {

class FramePacer {
public:
    static constexpr std::int64_t kFrameNs = 1'000'000'000 / 60;
    // Sleeps until a frame period has passed since the previous frame's slot. earlyNs lets a
    // frame go that much before its slot (when the display's own refresh already paces it).
    void wait(std::int64_t nowNs, std::int64_t earlyNs = 0);

private:
    std::int64_t nextNs_ = 0;
};

} // namespace platform
