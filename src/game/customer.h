// One customer of the round.
#pragma once

#include <cstdint>

struct Customer {
    std::int32_t x = 0;             // left edge; 1 or less: gone
    std::int32_t y = 0;             // lane: 85, 234 or 400
    std::uint8_t drinking = 0;      // 1: holding a mug, pushed towards the door
    std::int32_t drinkProgress = 0; // pixels pushed back since the catch
    std::int32_t bob = 0;           // 0 to 4 pixels while walking
    float bobPhase = 0.0f;          // 0 to 3.14 radians
    std::int32_t look = 0;          // which of six pictures
};
