// One mug on a bar.
#pragma once

#include <cstdint>

struct Mug {
    std::int32_t x = 0;    // left edge; 1 or less: off the bar
    std::int32_t y = 0;    // 120, 275 or 440: the bar's track
    std::uint8_t full = 0; // 1: sliding to the customers; 0: empty, sliding back
};
