#include "platform/present/frame_pacer.h"

#include <algorithm>

namespace platform {

std::int64_t FramePacer::holdNs(std::int64_t nowNs, bool displayPaced) const {
    return std::max<std::int64_t>(0, nextNs_ - (displayPaced ? kEarlyNs : 0) - nowNs);
}

void FramePacer::shown(std::int64_t nowNs) { nextNs_ = (nowNs - nextNs_ > kCatchUpNs ? nowNs : nextNs_) + kFrameNs; }

} // namespace platform
