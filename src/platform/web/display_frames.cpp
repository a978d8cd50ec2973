// A page shows frames on the browser's display frames: the wait yields to the browser until one
// comes, and lets at most 60 frames a second through whatever the screen's refresh.
#include "platform/present/frame_pacer.h"

#include <emscripten.h>

namespace platform {

namespace {

// A display frame this much before the slot still takes it, so that a 60 Hz screen's jitter
// never costs a frame and faster screens average 60.
constexpr std::int64_t kEarlyNs = FramePacer::kFrameNs / 4;

// clang-format off
EM_ASYNC_JS(double, nextDisplayFrameMs, (), {
    const time = await new Promise(resolve => requestAnimationFrame(resolve));
    Module['brannocDisplayFrame'] = time; // what the page hears a frame was shown in
    return time;
});
// clang-format on

} // namespace

void FramePacer::wait(std::int64_t, std::int64_t) {
    std::int64_t nowNs = 0;
    do {
        nowNs = static_cast<std::int64_t>(nextDisplayFrameMs() * 1'000'000.0);
    } while (nowNs < nextNs_ - kEarlyNs);
    // A late frame (a page put away a while) starts a new rhythm instead of rushing to catch up.
    nextNs_ = (nowNs - nextNs_ > kFrameNs ? nowNs : nextNs_) + kFrameNs;
}

} // namespace platform
