// A rectangle cut out of an 800-pixel-wide frame, row after row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline std::vector<std::uint32_t> frameRegion(const std::vector<std::uint32_t>& frame, int left, int top, int right,
                                              int bottom) {
    std::vector<std::uint32_t> region;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            region.push_back(frame[static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)]);
        }
    }
    return region;
}
