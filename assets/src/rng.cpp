#include "rng.h"

#include <cmath>

namespace assetgen {

double latticeValue(int x, int y, int z, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h = (h << 11) | (h >> 21);
    h ^= static_cast<std::uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

static int wrap(int v, int period) {
    if (period <= 0) return v;
    v %= period;
    return v < 0 ? v + period : v;
}

double valueNoise(double x, double y, int z, std::uint32_t seed, int periodX, int periodY) {
    int x0 = static_cast<int>(std::floor(x));
    int y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    int xa = wrap(x0, periodX), xb = wrap(x0 + 1, periodX);
    int ya = wrap(y0, periodY), yb = wrap(y0 + 1, periodY);
    double a = latticeValue(xa, ya, z, seed), b = latticeValue(xb, ya, z, seed);
    double c = latticeValue(xa, yb, z, seed), d = latticeValue(xb, yb, z, seed);
    double top = a + (b - a) * sx, bottom = c + (d - c) * sx;
    return top + (bottom - top) * sy;
}

} // namespace assetgen
