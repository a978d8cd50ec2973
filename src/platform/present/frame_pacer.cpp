#include "platform/present/frame_pacer.h"

#include <SDL.h>

#include <chrono>

namespace platform {

namespace {
std::int64_t monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

void FramePacer::wait(std::int64_t nowNs, std::int64_t earlyNs) {
    if (nowNs < nextNs_ - earlyNs) {
        // Whole milliseconds, rounded up: never faster than the limit.
        auto ms = static_cast<Uint32>((nextNs_ - earlyNs - nowNs + 999'999) / 1'000'000);
        SDL_Delay(ms);
        nowNs = monotonicNs();
    }
    // A late frame starts a new rhythm instead of rushing to catch up.
    nextNs_ = (nowNs - nextNs_ > kFrameNs ? nowNs : nextNs_) + kFrameNs;
}

} // namespace platform
