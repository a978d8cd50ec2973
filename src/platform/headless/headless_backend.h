// The scripted backend of tests, replays and benchmarks.
#pragma once

#include <array>

#include "platform/core/backend.h"
#include "platform/headless.h"

namespace platform {

class HeadlessBackend final : public Backend {
public:
    void reset(const HeadlessOptions& options);
    const HeadlessOptions& options() const { return options_; }
    void advanceNs(std::int64_t ns) { nowNs_ += ns; }
    void setKeyDown(int scanCode, bool down);
    void setJoystick(const JoystickState& state) { joystick_ = state; }

    bool headless() const override { return true; }
    bool hasDisplay() override { return true; }
    void pumpEvents() override {}
    bool waitForEvents(std::int64_t timeoutNs, bool socketsWatched) override;
    bool createWindow(WindowObject&) override { return true; }
    void showWindow(WindowObject&) override {}
    void destroyWindow(WindowObject&) override {}
    bool enterFullscreen(WindowObject&) override { return true; }
    void leaveFullscreen(WindowObject&) override {}
    void present(const std::uint32_t* pixels, int width, int height, int pitchBytes) override;
    int desktopBits() override { return options_.desktopBits; }
    void showMessageBox(const char*, const char*, UINT) override {}
    void setCursorVisible(bool) override {}
    POINT cursorPos() override { return POINT{0, 0}; }
    bool keyDown(int scanCode) override;
    UINT joystickPosition(JoystickReading& reading) override;
    UINT joystickCaps(JoystickLimits& limits) override;
    std::unique_ptr<SoundOutput> openSound() override;
    std::int64_t nowNs() override { return nowNs_; }
    std::int64_t performanceCounterNs() override;
    std::uint64_t timeStampCounter() override;
    std::int64_t calendarSeconds() override { return options_.calendarTime; }

private:
    HeadlessOptions options_;
    std::int64_t nowNs_ = 0;
    std::array<bool, 256> keys_{};
    JoystickState joystick_;
};

HeadlessBackend& headlessBackend();

} // namespace platform
