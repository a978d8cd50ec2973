// Choosing the backend.
#include "platform/core/backend.h"
#include "platform/core/platform_state.h"
#include "platform/headless/headless_backend.h"

namespace platform {

namespace {

struct Selection {
    std::unique_ptr<Backend> sdl;
    Backend* current = nullptr;
};

Selection& selection() {
    static Selection* chosen = new Selection;
    return *chosen;
}

} // namespace

Backend& backend() {
    Selection& s = selection();
    if (s.current == nullptr) useSdl();
    return *s.current;
}

void useSdl() {
    Selection& s = selection();
    if (!s.sdl) s.sdl = makeTargetBackend();
    if (s.current == s.sdl.get()) return;
    resetPlatformState();
    s.current = s.sdl.get();
}

void useHeadless(const HeadlessOptions& options) {
    Selection& s = selection();
    s.current = &headlessBackend();
    // The desktop's devices (pad, renderer) go with it: the next useSdl starts afresh.
    s.sdl.reset();
    headless::reset(options);
}

bool isHeadless() { return selection().current != nullptr && selection().current->headless(); }

} // namespace platform
