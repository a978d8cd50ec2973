#include "pictures.h"

namespace assetgen {

bool ditherOn(int x, int y, double level) {
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const double threshold = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
    return level > threshold;
}

} // namespace assetgen
