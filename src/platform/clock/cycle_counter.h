// The processor's own cycle counter.
#pragma once

#include <cstdint>

namespace platform {

std::uint64_t processorCycles();

} // namespace platform
