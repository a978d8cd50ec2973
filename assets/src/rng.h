// A small fixed-seed generator: the same pictures and sounds on every run.
#pragma once

#include <cstdint>

namespace assetgen {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [-1, 1).
    double signedUnit() { return unit() * 2.0 - 1.0; }
    int range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1)); }

private:
    std::uint64_t state_;
};

// Value noise from a hash of the lattice point, so any point can be sampled alone.
double latticeValue(int x, int y, int z, std::uint32_t seed);
// Smooth noise in 0..1; lattice coordinates wrap at (periodX, periodY) when those are positive.
double valueNoise(double x, double y, int z, std::uint32_t seed, int periodX = 0, int periodY = 0);

} // namespace assetgen
