#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace assetgen {

int channelDistance(Rgb a, Rgb b) {
    return std::max({std::abs(red(a) - red(b)), std::abs(green(a) - green(b)), std::abs(blue(a) - blue(b))});
}

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return rgb(ch(red(a), red(b)), ch(green(a), green(b)), ch(blue(a), blue(b)));
}

Rgb shade(Rgb c, double factor) {
    auto ch = [factor](int x) { return std::clamp(static_cast<int>(std::lround(x * factor)), 0, 255); };
    return rgb(ch(red(c)), ch(green(c)), ch(blue(c)));
}

Image::Image(int w, int h, Rgb fill) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

void Image::set(int x, int y, Rgb c) {
    if (inside(x, y)) pixels[static_cast<std::size_t>(y) * width + x] = c;
}

void Image::fill(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Image::paste(const Image& src, int dx, int dy, bool keyed, Rgb key) {
    pasteRect(src, 0, 0, src.width, src.height, dx, dy, keyed, key);
}

void Image::pasteRect(const Image& src, int l, int t, int r, int b, int dx, int dy, bool keyed, Rgb key) {
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) {
            if (!src.inside(x, y)) continue;
            Rgb c = src.at(x, y);
            if (keyed && c == key) continue;
            set(dx + x - l, dy + y - t, c);
        }
}

Image Image::scaled(int factor) const {
    Image out(width * factor, height * factor, 0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.set(x, y, at(x / factor, y / factor));
    return out;
}

void snapToKey(Image& img, Rgb key, int tolerance) {
    for (auto& p : img.pixels) {
        p &= 0xFFFFFF;
        if (channelDistance(p, key) < tolerance) p = key;
    }
}

} // namespace assetgen
