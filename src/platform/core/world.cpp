#include "platform/core/world.h"

#include <algorithm>

#include "platform/winsock/socket_events.h"

namespace platform {

namespace {
// Never destroyed: the game's static objects release platform objects at exit, after any
// ordinary static here would already be gone.
World*& worldSlot() {
    static World* slot = new World;
    return slot;
}
} // namespace

World& world() { return *worldSlot(); }

void resetWorld() {
    delete worldSlot();
    worldSlot() = new World;
    socket_events::clear();
}

WindowObject* liveWindow(HWND handle) {
    if (handle == nullptr) return nullptr;
    auto& windows = world().windows;
    auto found = std::find_if(windows.begin(), windows.end(), [&](auto& w) { return w.get() == handle; });
    if (found == windows.end() || (*found)->destroyed) return nullptr;
    return found->get();
}

} // namespace platform
