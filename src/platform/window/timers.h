// Window timers: due times on the system tick, delivered as synthesized WM_TIMER messages.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/window.h"

namespace platform::timers {

constexpr std::int64_t kTickNs = 15'625'000; // the system tick, 64 a second
constexpr std::int64_t kMinPeriodNs = 10'000'000;

// The WM_TIMER of the earliest due timer matching the filter. When taken, that timer falls due a
// period after it last fell due, past every tick already gone: missed expirations coalesce into
// this one message and never come in a burst.
std::optional<MSG> due(HWND filter, bool take);
// Time until the next timer falls due: 0 when one is due, -1 when there are none.
std::int64_t nsUntilNextDue();
void killAllFor(HWND window);

} // namespace platform::timers
