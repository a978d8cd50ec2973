// What differs between the backends: the target's own (the desktop's SDL window, or a page; see
// src/CMakeLists.txt for which is built) and the scripted world of tests (headless). Internal to
// the platform; game code never includes it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win_types.h"

struct WindowObject;

namespace platform {

class SoundOutput;

struct JoystickReading {
    DWORD x = 0;
    DWORD y = 0;
    DWORD buttonMask = 0;
    DWORD buttonsHeld = 0;
};

struct JoystickLimits {
    UINT xMin = 0, xMax = 65535, yMin = 0, yMax = 65535;
    UINT buttons = 0;
    UINT axes = 0;
    std::string name;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual bool headless() const = 0;
    virtual bool hasDisplay() = 0;

    // Turns pending system events into posted messages.
    virtual void pumpEvents() = 0;
    // Blocks until a system event or socket readiness, or until timeoutNs passes (-1: no limit);
    // a virtual clock runs on by timeoutNs instead. Returns false when nothing can ever arrive,
    // so that a waiter gives up instead of hanging.
    virtual bool waitForEvents(std::int64_t timeoutNs, bool socketsWatched) = 0;

    virtual bool createWindow(WindowObject& window) = 0;
    virtual void showWindow(WindowObject& window) = 0;
    virtual void destroyWindow(WindowObject& window) = 0;
    virtual bool enterFullscreen(WindowObject& window) = 0;
    virtual void leaveFullscreen(WindowObject& window) = 0;
    virtual void present(const std::uint32_t* pixels, int width, int height, int pitchBytes) = 0;
    virtual int desktopBits() = 0;
    // Shows the box where one can be shown; the caller has already reported it on stderr.
    virtual void showMessageBox(const char* text, const char* caption, UINT type) = 0;
    virtual void setCursorVisible(bool visible) = 0;
    virtual POINT cursorPos() = 0;

    // scanCode: PC set 1, 0x80 and up for the E0 keys.
    virtual bool keyDown(int scanCode) = 0;
    virtual UINT joystickPosition(JoystickReading& reading) = 0;
    virtual UINT joystickCaps(JoystickLimits& limits) = 0;

    // The sound device (a silent one where no audio output opens), or null when there is none.
    virtual std::unique_ptr<SoundOutput> openSound() = 0;

    virtual std::int64_t nowNs() = 0;
    virtual std::int64_t performanceCounterNs() = 0;
    virtual std::uint64_t timeStampCounter() = 0;
    virtual std::int64_t calendarSeconds() = 0;

    // What a page around the game is told as it runs (its tests follow the game through these);
    // nothing elsewhere.
    virtual void soundStarted(int /*resourceId*/) {}
    virtual void activationChanged(bool /*active*/) {}
};

// The selected backend (the target's unless a test chose headless).
Backend& backend();
// The target's own backend, made by the room the build chose.
std::unique_ptr<Backend> makeTargetBackend();

} // namespace platform
