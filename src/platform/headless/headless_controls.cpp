// The controls that tests use to script the headless world and read what it showed and heard.
#include <cmath>

#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/dinput.h"
#include "platform/gdi/picture_file.h"
#include "platform/headless/headless_backend.h"
#include "platform/input/key_messages.h"
#include "platform/window.h"

namespace platform::headless {

void reset(const HeadlessOptions& options) {
    resetPlatformState();
    platformState().recording = options.record;
    gdi::forgetPictureFiles();
    headlessBackend().reset(options);
}

const HeadlessOptions& options() { return headlessBackend().options(); }

void injectFault(Fault fault, HRESULT code) {
    auto index = static_cast<std::size_t>(fault);
    if (index < platformState().faults.size()) platformState().faults[index] = code;
}

void busyBlitter(int calls) { platformState().blitterBusyCalls = calls > 0 ? calls : 0; }

void advanceMs(double ms) {
    if (ms > 0) headlessBackend().advanceNs(static_cast<std::int64_t>(std::llround(ms * 1e6)));
}

double nowMs() { return static_cast<double>(headlessBackend().nowNs()) / 1e6; }

void setKeyDown(int scanCode, bool down) { headlessBackend().setKeyDown(scanCode, down); }

void pressKey(int scanCode, bool autoRepeat) {
    HWND window = sys::gameWindow();
    if (window == nullptr || scanCode <= 0 || scanCode > 255) return;
    auto& keyboard = headlessBackend();
    bool altHeld = keyboard.keyDown(DIK_LMENU) || keyboard.keyDown(DIK_RMENU);
    postKeyPress(window, scanCode, altHeld, autoRepeat);
}

void tapKey(int scanCode) {
    setKeyDown(scanCode, true);
    pressKey(scanCode);
    setKeyDown(scanCode, false);
}

void setActive(bool active) { changeActivation(active); }

void setJoystick(const JoystickState& state) { headlessBackend().setJoystick(state); }

void setIdleHook(std::function<void()> hook) { platformState().idleHook = std::move(hook); }

void setFlipHook(std::function<void(int presented)> hook) { platformState().flipHook = std::move(hook); }

int presentedCount() { return platformState().presentedCount; }
const std::vector<std::uint32_t>& lastPresented() { return platformState().lastPresented; }
int presentedWidth() { return platformState().presentedWidth; }
int presentedHeight() { return platformState().presentedHeight; }

const std::vector<MessageBoxRecord>& messageBoxes() { return platformState().messageBoxes; }
const std::vector<std::string>& trace() { return platformState().trace; }
void clearTrace() { platformState().trace.clear(); }
void clearLogs() {
    PlatformState& state = platformState();
    state.trace = std::vector<std::string>();
    state.soundLog = std::vector<int>();
    state.messageBoxes = std::vector<MessageBoxRecord>();
    state.debugOutput = std::string();
}
const std::vector<int>& soundLog() { return platformState().soundLog; }
const std::string& debugOutput() { return platformState().debugOutput; }

} // namespace platform::headless
