// Choosing the backend.
#include "platform/core/backend.h"
#include "platform/core/platform_state.h"
#include "platform/headless/headless_backend.h"
#include "platform/target_backend.h"

namespace platform {

namespace {

struct Selection {
    std::unique_ptr<Backend> target;
    Backend* current = nullptr;
};

Selection& selection() {
    static Selection* chosen = new Selection;
    return *chosen;
}

} // namespace

Backend& backend() {
    Selection& s = selection();
    if (s.current == nullptr) useTargetBackend();
    return *s.current;
}

void useTargetBackend() {
    Selection& s = selection();
    if (!s.target) s.target = makeTargetBackend();
    if (s.current == s.target.get()) return;
    resetPlatformState();
    s.current = s.target.get();
}

void useHeadless(const HeadlessOptions& options) {
    Selection& s = selection();
    s.current = &headlessBackend();
    // The desktop's devices (pad, renderer) go with it: the next useTargetBackend starts afresh.
    s.target.reset();
    headless::reset(options);
}

bool isHeadless() { return selection().current != nullptr && selection().current->headless(); }

} // namespace platform
