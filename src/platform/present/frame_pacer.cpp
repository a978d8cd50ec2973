#include "platform/present/frame_pacer.h"

#include <algorithm>
#include <cmath>

namespace platform {

std::int64_t FramePacer::holdNs(std::int64_t nowNs, bool displayPaced) const {
    return std::max<std::int64_t>(0, nextNs_ - (displayPaced ? kEarlyNs : 0) - nowNs);
}

void FramePacer::shown(std::int64_t nowNs) {
    // Late by a frame or more (a hitch, a stall, a page put away): the frames missed are not made
    // up, and a new rhythm starts from this one.
    nextNs_ = nowNs - nextNs_ >= kFrameNs ? nowNs + kFrameNs : nextNs_ + kFrameNs;
}

bool displayPaces(std::int64_t refreshNs) {
    if (refreshNs <= 0) return true;
    double perFrame = static_cast<double>(FramePacer::kFrameNs) / static_cast<double>(refreshNs);
    return perFrame > 0.95 && std::abs(perFrame - std::round(perFrame)) < 0.05;
}

} // namespace platform
