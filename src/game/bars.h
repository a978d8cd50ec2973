// Where each of the three bars lies: the customers' lane and door, the mugs' track and ends,
// and where the bartender stands.
#pragma once

#include <cstdint>

struct BarLayout {
    std::int32_t lane;         // customers' y
    std::int32_t doorEdge;     // a customer right of it is behind the door
    std::int32_t arrivalLimit; // a walking customer left of it has reached the bartender
    std::int32_t mugY;         // mugs' y, also the key the mug rules find the bar by
    std::int32_t farLimit;     // a full mug beyond it falls off the far end
    std::int32_t catchLimit;   // an empty mug left of it is caught, if the bartender is there
    std::int32_t breakLimit;   // ... and falls off the near end left of this one if not
    std::int32_t pourX;        // where a poured mug starts
    std::int32_t baseX;        // the bartender's base position
    std::int32_t baseY;
};

inline constexpr BarLayout barLayouts[3] = {
    {85, 641, 160, 120, 620, 171, 141, 150, 75, 110},
    {234, 673, 123, 275, 640, 149, 119, 125, 40, 265},
    {400, 710, 90, 440, 670, 115, 85, 110, 10, 430},
};

// Bar 1 to 3, or null for no bar.
inline const BarLayout* barLayout(std::int32_t bar) { return bar >= 1 && bar <= 3 ? &barLayouts[bar - 1] : nullptr; }

// The bar whose mug track is at y, or 0.
inline std::int32_t mugBarOf(std::int32_t y) {
    for (std::int32_t bar = 1; bar <= 3; ++bar) {
        if (barLayouts[bar - 1].mugY == y) {
            return bar;
        }
    }
    return 0;
}
