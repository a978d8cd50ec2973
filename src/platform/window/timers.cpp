// SetTimer and KillTimer, and the WM_TIMER messages they give.
#include "platform/window/timers.h"

#include <algorithm>

#include "platform/core/backend.h"
#include "platform/core/platform_state.h"

namespace platform::timers {

namespace {

// Timers expire only on a system tick.
std::int64_t onTick(std::int64_t ns) {
    if (ns <= 0) return 0;
    return (ns + kTickNs - 1) / kTickNs * kTickNs;
}

bool isDue(const Timer& timer, std::int64_t now) { return onTick(timer.dueNs) <= now; }

} // namespace

std::optional<MSG> due(HWND filter, bool take) {
    std::int64_t now = backend().nowNs();
    Timer* earliest = nullptr;
    for (auto& timer : platformState().timers) {
        if (filter != nullptr && timer.window != filter) continue;
        if (!isDue(timer, now)) continue;
        if (earliest == nullptr || timer.dueNs < earliest->dueNs) earliest = &timer;
    }
    if (earliest == nullptr) return std::nullopt;
    MSG msg{earliest->window, WM_TIMER, earliest->id, 0, 0, {}};
    if (take) {
        // Paced by when it fell due, not by when the message was taken: the next expiration whose
        // tick has not come yet.
        std::int64_t lastTick = now / kTickNs * kTickNs;
        earliest->dueNs += ((lastTick - earliest->dueNs) / earliest->periodNs + 1) * earliest->periodNs;
    }
    return msg;
}

std::int64_t nsUntilNextDue() {
    auto& timers = platformState().timers;
    if (timers.empty()) return -1;
    std::int64_t next = onTick(
        std::min_element(timers.begin(), timers.end(), [](auto& a, auto& b) { return a.dueNs < b.dueNs; })->dueNs);
    return std::max<std::int64_t>(0, next - backend().nowNs());
}

void killAllFor(HWND window) {
    auto& timers = platformState().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](auto& t) { return t.window == window; }),
                 timers.end());
}

} // namespace platform::timers

using namespace platform;

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, void*) {
    if (window != nullptr && liveWindow(window) == nullptr) return 0;
    auto& timers = platformState().timers;
    if (window == nullptr) {
        // A timer without a window gets an id of its own.
        id = 1;
        while (std::any_of(timers.begin(), timers.end(), [&](auto& t) { return t.window == nullptr && t.id == id; }))
            ++id;
    }
    std::int64_t period = std::max<std::int64_t>(static_cast<std::int64_t>(periodMs) * 1'000'000, timers::kMinPeriodNs);
    std::int64_t due = backend().nowNs() + period;
    auto existing =
        std::find_if(timers.begin(), timers.end(), [&](auto& t) { return t.window == window && t.id == id; });
    if (existing != timers.end()) {
        existing->periodNs = period;
        existing->dueNs = due;
    } else {
        timers.push_back(Timer{window, id, period, due});
    }
    return window == nullptr ? id : (id == 0 ? 1 : id);
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto& timers = platformState().timers;
    auto found = std::find_if(timers.begin(), timers.end(), [&](auto& t) { return t.window == window && t.id == id; });
    if (found == timers.end()) return FALSE;
    timers.erase(found);
    return TRUE;
}
