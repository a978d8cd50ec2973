// Reading the generated files back: a tiny BMP reader and little-endian helpers.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace assets_test {

using Bytes = std::vector<std::uint8_t>;

inline std::string buildPath(const std::string& rel) { return std::string(BRANNOC_BUILD_DIR) + "/" + rel; }

inline Bytes readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary | std::ios::ate);
    if (!f) return {};
    Bytes b(static_cast<std::size_t>(f.tellg()));
    f.seekg(0);
    f.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return b;
}

inline std::uint32_t le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
inline std::uint32_t le32(const Bytes& b, std::size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline int distance(Rgb a, Rgb b) {
    int d = std::abs(a.r - b.r);
    if (std::abs(a.g - b.g) > d) d = std::abs(a.g - b.g);
    if (std::abs(a.b - b.b) > d) d = std::abs(a.b - b.b);
    return d;
}

struct Picture {
    int width = 0, height = 0, bits = 0, compression = -1;
    std::size_t fileSize = 0, expectedSize = 0;
    std::vector<Rgb> pixels; // top row first

    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Pixels in the rectangle (right and bottom exclusive) that differ from the key.
    int inked(int l, int t, int r, int b, Rgb key) const {
        int n = 0;
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x) n += !(at(x, y) == key);
        return n;
    }
};

// Reads 24-bit bottom-up BI_RGB files; other kinds keep only the header fields.
inline Picture readBmp(const std::string& rel) {
    Picture p;
    const Bytes b = readFile(buildPath(rel));
    p.fileSize = b.size();
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return p;
    const std::uint32_t offset = le32(b, 10);
    p.width = static_cast<int>(le32(b, 18));
    p.height = static_cast<int>(le32(b, 22));
    p.bits = static_cast<int>(le16(b, 28));
    p.compression = static_cast<int>(le32(b, 30));
    const int stride = (p.width * p.bits / 8 + 3) & ~3;
    p.expectedSize = offset + static_cast<std::size_t>(stride) * p.height;
    if (p.bits != 24 || p.height <= 0 || p.expectedSize > b.size()) return p;
    p.pixels.resize(static_cast<std::size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::size_t at = offset + static_cast<std::size_t>(p.height - 1 - y) * stride + x * 3;
            p.pixels[static_cast<std::size_t>(y) * p.width + x] = {b[at + 2], b[at + 1], b[at]};
        }
    return p;
}

} // namespace assets_test
