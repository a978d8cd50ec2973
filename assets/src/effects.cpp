// Explosion and fire strips for the title, drawn pixel by pixel on black.
#include <algorithm>
#include <cmath>

#include "palette.h"
#include "pictures.h"
#include "rng.h"

namespace assetgen {

namespace {

// Hot to cool: the colours of flame, shared by the fire and the explosion.
constexpr Rgb kFlame[] = {
    rgb(110, 24, 12),  rgb(170, 40, 16),   rgb(220, 80, 20),   rgb(250, 140, 30),
    rgb(255, 200, 60), rgb(255, 240, 150), rgb(255, 255, 230),
};
constexpr int kFlameLevels = 7;

Rgb flameColour(int x, int y, double heat) {
    const double level = std::clamp(heat, 0.0, 0.999) * kFlameLevels;
    int i = static_cast<int>(level);
    if (i + 1 < kFlameLevels && ditherOn(x, y, level - i)) ++i;
    return kFlame[std::min(i, kFlameLevels - 1)];
}

constexpr Rgb kSmoke[] = {rgb(70, 56, 52), rgb(96, 80, 72), rgb(124, 106, 94)};

} // namespace

Image drawExplosions() {
    Image img(2000, 135, pal::kBlackKey);
    Rng rng(77);
    for (int k = 1; k <= 10; ++k) {
        const double t = (k - 1) / 9.0;
        const double radius = 16 + 50 * std::sqrt(t);
        const double heat = 1.0 - 0.8 * t;
        const int ox = 182 * k;
        for (int y = 0; y < 135; ++y)
            for (int x = 0; x < 180; ++x) {
                const double dx = x - 90, dy = (y - 72) * 1.15;
                const double d = std::hypot(dx, dy) / radius;
                const double n = valueNoise(x / 9.0, y / 9.0, k, 3) * 0.65 + valueNoise(x / 4.0, y / 4.0, k, 4) * 0.35;
                const double v = (1.0 - d) * 1.4 + (n - 0.5) * 0.9;
                if (v <= 0) continue;
                const double h = (v * 0.8 + 0.2) * heat;
                Rgb c;
                if (t > 0.35 && v < 0.25 + 0.3 * t) { // a ring of smoke once the blast cools
                    const int s = std::clamp(static_cast<int>((n + (ditherOn(x, y, 0.5) ? 0.15 : 0)) * 3), 0, 2);
                    c = kSmoke[s];
                } else {
                    c = flameColour(x, y, h);
                }
                img.set(ox + x, y, c);
            }
        // Sparks flung outwards in the early frames.
        for (int s = 0; s < 24; ++s) {
            const double a = rng.unit() * 6.283185307179586, sp = 0.6 + rng.unit() * 0.6;
            if (k > 7) continue;
            const double r = radius * (1.05 + sp * t * 1.2) + 6;
            const int x = 90 + static_cast<int>(std::cos(a) * r), y = 72 + static_cast<int>(std::sin(a) * r * 0.87);
            if (x > 1 && x < 177 && y > 1 && y < 132) img.fill(ox + x, y, 2, 2, kFlame[5 - (k > 4)]);
        }
    }
    snapToKey(img, pal::kBlackKey, kKeyTolerance);
    return img;
}

Image drawFires() {
    Image img(1022, 53, pal::kBlackKey);
    for (int f = 0; f < 33; ++f)
        for (int y = 0; y < 53; ++y)
            for (int x = 0; x < 30; ++x) {
                const double fromBottom = (52 - y) / 52.0;
                const double halfWidth = 2.5 + 12.0 * std::pow(1.0 - fromBottom, 0.9);
                const double u = std::abs(x - 14.5) / halfWidth;
                if (u >= 1.2) continue;
                // Noise scrolls upwards and wraps after 33 frames, so the loop has no seam.
                const double n1 = valueNoise(x / 5.0, (y + 2.0 * f) / 6.0, 0, 9, 0, 11);
                const double n2 = valueNoise(x / 3.0, (y + 4.0 * f) / 4.0, 1, 9, 0, 33);
                const double n = n1 * 0.65 + n2 * 0.35;
                const double base = (1.0 - u) * (1.1 - fromBottom * 0.95);
                const double v = base * 1.45 - n * 1.05 * (0.3 + fromBottom);
                if (v <= 0.02) continue;
                img.set(31 * f + x, y, flameColour(x, y, v * 1.1));
            }
    snapToKey(img, pal::kBlackKey, kKeyTolerance);
    return img;
}

} // namespace assetgen
