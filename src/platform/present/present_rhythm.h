// How each target's flip waits for the game's next slot: one rule on every display, 60 frames a
// second evenly spaced. The backends hand their display over as a DisplayPort, so that the same
// code runs on the desktop, in a page and against a simulated display in the tests.
#pragma once

#include <cstdint>

#include "platform/present/frame_pacer.h"

namespace platform {

class DisplayPort {
public:
    virtual std::int64_t nowNs() = 0;
    // The frame out. With vsync on, this may block until the refresh.
    virtual void show() = 0;
    // Sleeps (the desktop) or yields to the browser (a page) for about ns, never less.
    virtual void sleepNs(std::int64_t ns) = 0;
    // The display's refresh period, as reported or measured; 0 when not known.
    virtual std::int64_t refreshNs() = 0;
    // A page: yields until the browser's next display frame and returns its time.
    virtual std::int64_t nextDisplayFrameNs() { return nowNs(); }
    // The desktop: asks for vsync on or off (every frame: cheap when nothing changes), and
    // whether it is on (taken where offered).
    virtual void setVsync(bool) {}
    virtual bool vsync() { return false; }

protected:
    ~DisplayPort() = default;
};

// The desktop: vsync where the display is at least 60 Hz, sleeping out the slot elsewhere. A
// display that turns out slower than it says (frames held past their slots by vsync) is paced by
// sleeping too; the choice is made again when the window moves to a display of another rate.
class DesktopRhythm {
public:
    void present(DisplayPort& display);

private:
    static constexpr std::int64_t kSlowestVsyncNs = 1'000'000'000 / 58;
    static constexpr int kSlowFramesToGiveUp = 8;

    FramePacer pacer_;
    std::int64_t refreshNs_ = -1; // the display the choice was made for
    std::int64_t lastNs_ = 0;     // when the last frame's slot came
    bool wantVsync_ = true;
    int slowFrames_ = 0;
};

// A page: frames in display frames of their own where the display's rate is a whole multiple of
// 60 Hz; elsewhere each frame in a task of its own at its slot, and the browser paints the newest
// at its next display frame, so that what a slow display shows is a fair sample of the frames.
class PageRhythm {
public:
    void present(DisplayPort& display);

private:
    FramePacer pacer_;
};

} // namespace platform
