// What every SDL target shares: SDL's events as window messages, its keyboard, joystick, sound,
// window and clocks. A target's backend (the desktop's SDL window, a page) derives from it and
// adds how it presents frames, waits for events, shows boxes and goes full screen.
#pragma once

#include <cstdint>

#include "platform/core/backend.h"
#include "platform/sdl/sdl_joystick.h"

union SDL_Event;

namespace platform {

class SdlBackend : public Backend {
public:
    SdlBackend();

    bool headless() const override { return false; }
    bool hasDisplay() override;

    void pumpEvents() override;
    // Waits in the target's own wait; while sockets are watched, in slices between them and it.
    bool waitForEvents(std::int64_t timeoutNs, bool socketsWatched) override;

    bool createWindow(WindowObject& window) override;
    void showWindow(WindowObject& window) override;
    void destroyWindow(WindowObject& window) override;
    int desktopBits() override;
    void setCursorVisible(bool visible) override;
    POINT cursorPos() override;

    bool keyDown(int scanCode) override;
    UINT joystickPosition(JoystickReading& reading) override { return joystick_.position(reading); }
    UINT joystickCaps(JoystickLimits& limits) override { return joystick_.caps(limits); }
    std::unique_ptr<SoundOutput> openSound() override;

    std::int64_t nowNs() override;
    std::int64_t performanceCounterNs() override { return nowNs(); }
    std::int64_t calendarSeconds() override;

protected:
    // An event the target takes for itself instead of the game's window: true when taken.
    virtual bool takeOwnEvent(const SDL_Event&) { return false; }
    // Waits for the target's next event, at most timeoutMs (-1: no limit); true when one came.
    virtual bool waitForOwnEvent(int timeoutMs) = 0;
    // The window is about to go: whatever shows frames in it lets go of it.
    virtual void windowGoing() {}

private:
    SdlJoystick joystick_;
};

} // namespace platform
