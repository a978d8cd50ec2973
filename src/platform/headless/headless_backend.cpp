#include "platform/headless/headless_backend.h"

#include <algorithm>

#include "platform/core/platform_state.h"
#include "platform/dsound/sound_output.h"
#include "platform/joystick_api.h"
#include "platform/winsock/socket_events.h"

namespace platform {

namespace {
// Each reading of the counter lets this much virtual time pass, so that a wait that spins on
// it comes to an end.
constexpr std::int64_t kCounterPollNs = 1'000'000;
// Sockets are real even here; a wait for them gives up after this long.
constexpr int kSocketWaitMs = 2000;
} // namespace

void HeadlessBackend::reset(const HeadlessOptions& options) {
    options_ = options;
    nowNs_ = 0;
    keys_.fill(false);
    joystick_ = JoystickState{};
}

void HeadlessBackend::setKeyDown(int scanCode, bool down) {
    if (scanCode >= 0 && scanCode < 256) keys_[static_cast<std::size_t>(scanCode)] = down;
}

bool HeadlessBackend::waitForEvents(std::int64_t timeoutNs, bool socketsWatched) {
    // An idle program gives the test its turn first.
    if (platformState().idleHook) {
        auto hook = platformState().idleHook; // the hook may replace itself
        hook();
        if (!platformState().queue.empty() || platformState().quitPending) return true;
    }
    // Sockets are real: with a timer to run on to, they are only looked at; without, waited for.
    if (socketsWatched && socket_events::wait(timeoutNs >= 0 ? 0 : kSocketWaitMs)) return true;
    if (timeoutNs < 0) return false; // nothing can ever arrive
    nowNs_ += timeoutNs;
    return true;
}

void HeadlessBackend::present(const std::uint32_t* pixels, int width, int height, int pitchBytes) {
    PlatformState& w = platformState();
    if (pixels != nullptr && width > 0 && height > 0) {
        w.lastPresented.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        auto* row = reinterpret_cast<const std::uint8_t*>(pixels);
        for (int y = 0; y < height; ++y, row += pitchBytes) {
            auto* source = reinterpret_cast<const std::uint32_t*>(row);
            std::copy(source, source + width, w.lastPresented.begin() + static_cast<std::ptrdiff_t>(y) * width);
        }
        w.presentedWidth = width;
        w.presentedHeight = height;
    }
    nowNs_ += static_cast<std::int64_t>(options_.msPerFlip * 1e6 + 0.5);
    countPresented();
}

bool HeadlessBackend::keyDown(int scanCode) {
    return scanCode >= 0 && scanCode < 256 && keys_[static_cast<std::size_t>(scanCode)];
}

UINT HeadlessBackend::joystickPosition(JoystickReading& reading) {
    if (!joystick_.present) return JOYERR_UNPLUGGED;
    reading.x = joystick_.x;
    reading.y = joystick_.y;
    reading.buttonsHeld = joystick_.buttonsHeld;
    reading.buttonMask = joystick_.buttonsHeld >= 32 ? 0xFFFFFFFFu : (1u << joystick_.buttonsHeld) - 1;
    return JOYERR_NOERROR;
}

UINT HeadlessBackend::joystickCaps(JoystickLimits& limits) {
    if (!joystick_.present) return JOYERR_UNPLUGGED;
    if (!joystick_.capsReadable) return JOYERR_PARMS;
    limits.xMin = joystick_.xMin;
    limits.xMax = joystick_.xMax;
    limits.yMin = joystick_.yMin;
    limits.yMax = joystick_.yMax;
    limits.buttons = 4;
    limits.axes = 2;
    limits.name = "Scripted pad";
    return JOYERR_NOERROR;
}

std::unique_ptr<SoundOutput> HeadlessBackend::openSound() {
    return options_.soundDevice ? openVirtualSoundOutput() : nullptr;
}

std::int64_t HeadlessBackend::performanceCounterNs() {
    nowNs_ += kCounterPollNs;
    return nowNs_;
}

std::uint64_t HeadlessBackend::timeStampCounter() {
    auto ns = static_cast<std::uint64_t>(nowNs_);
    std::uint64_t rate = options_.cyclesPerSecond;
    // Split so that the product stays in range for hours of virtual time at GHz rates.
    return ns / 1'000'000'000 * rate + ns % 1'000'000'000 * rate / 1'000'000'000;
}

HeadlessBackend& headlessBackend() {
    static HeadlessBackend* instance = new HeadlessBackend;
    return *instance;
}

} // namespace platform
