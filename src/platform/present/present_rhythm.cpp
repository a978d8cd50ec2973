#include "platform/present/present_rhythm.h"

namespace platform {

void DesktopRhythm::present(DisplayPort& display) {
    std::int64_t refresh = display.refreshNs();
    if (refresh != refreshNs_) {
        refreshNs_ = refresh;
        wantVsync_ = refresh == 0 || refresh <= kSlowestVsyncNs;
        slowFrames_ = 0;
    }
    display.setVsync(wantVsync_);
    display.show();
    std::int64_t now = display.nowNs();
    bool vsync = display.vsync();
    // Frames that vsync holds past their slots, one after another: the display is slower than it says.
    if (vsync) {
        bool slow = lastNs_ != 0 && now - lastNs_ > FramePacer::kFrameNs * 5 / 4;
        slowFrames_ = slow ? slowFrames_ + 1 : 0;
        if (slowFrames_ >= kSlowFramesToGiveUp) wantVsync_ = false;
    }
    if (std::int64_t hold = pacer_.holdNs(now, vsync && displayPaces(refreshNs_)); hold > 0) {
        display.sleepNs(hold);
        now = display.nowNs();
    }
    pacer_.shown(now);
    lastNs_ = now;
}

void PageRhythm::present(DisplayPort& display) {
    display.show();
    std::int64_t now = display.nowNs();
    if (displayPaces(display.refreshNs())) {
        // A display frame of its own for every frame, never two drawn in one.
        do now = display.nextDisplayFrameNs();
        while (pacer_.holdNs(now, true) > 0);
    } else {
        for (std::int64_t hold; (hold = pacer_.holdNs(now, false)) > 0; now = display.nowNs()) display.sleepNs(hold);
    }
    pacer_.shown(now);
}

} // namespace platform
