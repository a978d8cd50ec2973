// A picture in memory: 0x00RRGGBB pixels, rows top to bottom.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

using Rgb = std::uint32_t;

constexpr Rgb rgb(int r, int g, int b) {
    return (static_cast<Rgb>(r & 255) << 16) | (static_cast<Rgb>(g & 255) << 8) | static_cast<Rgb>(b & 255);
}
constexpr int red(Rgb c) { return static_cast<int>((c >> 16) & 255); }
constexpr int green(Rgb c) { return static_cast<int>((c >> 8) & 255); }
constexpr int blue(Rgb c) { return static_cast<int>(c & 255); }

// Largest per-channel difference: how far a colour is from a key.
int channelDistance(Rgb a, Rgb b);
// Mix a towards b by t in 0..1.
Rgb mix(Rgb a, Rgb b, double t);
// Scale brightness (factor 1 keeps the colour).
Rgb shade(Rgb c, double factor);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // cairo RGB24 layout, stride = width * 4

    Image() = default;
    Image(int w, int h, Rgb fill);

    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF; }
    void set(int x, int y, Rgb c);
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    void fill(int x, int y, int w, int h, Rgb c);
    // Copy src onto this at (dx, dy); pixels equal to the key are skipped when keyed.
    void paste(const Image& src, int dx, int dy, bool keyed = false, Rgb key = 0);
    // Copy a sub-rectangle of src (left, top, right, bottom exclusive) to (dx, dy).
    void pasteRect(const Image& src, int l, int t, int r, int b, int dx, int dy, bool keyed, Rgb key);
    Image scaled(int factor) const;
};

// Every pixel closer than tolerance to the key becomes exactly the key,
// so a colour-keyed blit leaves no halo around the figures.
void snapToKey(Image& img, Rgb key, int tolerance);

// Smallest distance kept between a keyed picture's colours and its key.
constexpr int kKeyTolerance = 48;

} // namespace assetgen
