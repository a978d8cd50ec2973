#include "platform/core/platform_state.h"

#include <algorithm>

#include "platform/winsock/socket_events.h"

namespace platform {

namespace {
// Never destroyed: the game's static objects release platform objects at exit, after any
// ordinary static here would already be gone.
PlatformState*& stateSlot() {
    static PlatformState* slot = new PlatformState;
    return slot;
}
} // namespace

PlatformState& platformState() { return *stateSlot(); }

void resetPlatformState() {
    delete stateSlot();
    stateSlot() = new PlatformState;
    socket_events::clear();
}

void countPresented() {
    PlatformState& w = platformState();
    int count = ++w.presentedCount;
    if (w.flipHook) {
        auto hook = w.flipHook; // the hook may replace itself
        hook(count);
    }
}

WindowObject* liveWindow(HWND handle) {
    if (handle == nullptr) return nullptr;
    auto& windows = platformState().windows;
    auto found = std::find_if(windows.begin(), windows.end(), [&](auto& w) { return w.get() == handle; });
    if (found == windows.end() || (*found)->destroyed) return nullptr;
    return found->get();
}

} // namespace platform
