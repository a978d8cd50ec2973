// The desktop's icons are the window's icon drawn again at each size of the menus.
#include <gtest/gtest.h>

#include <cairo.h>

#include <set>
#include <string>
#include <vector>

#include "asset_files.h"

using namespace assets_test;

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

struct Square {
    int size = 0;
    std::vector<std::uint32_t> pixels; // 0xRRGGBB, top row first

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * size + x]; }
};

Square readPng(int size) {
    const std::string side = std::to_string(size);
    const std::string path = buildPath("icons/hicolor/" + side + "x" + side + "/apps/brannoc.png");
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    Square square;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
        cairo_image_surface_get_width(surface) == cairo_image_surface_get_height(surface)) {
        square.size = cairo_image_surface_get_width(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < square.size; ++y)
            for (int x = 0; x < square.size; ++x)
                square.pixels.push_back(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF);
    }
    cairo_surface_destroy(surface);
    return square;
}

// The window's icon: 8 bits per pixel through a palette, bottom row first.
Square readWindowIcon() {
    const Bytes b = readFile(buildPath("resources/133.bmp"));
    Square square;
    if (b.size() < 54 + 256 * 4 + 32 * 32) return square;
    square.size = 32;
    const std::size_t offset = le32(b, 10);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const std::size_t entry = 54 + 4 * b[offset + static_cast<std::size_t>(31 - y) * 32 + x];
            square.pixels.push_back(b[entry + 2] << 16 | b[entry + 1] << 8 | b[entry]);
        }
    return square;
}

TEST(Icons, EverySizeIsTheWindowsIconDrawnAgain) {
    const Square window = readWindowIcon();
    ASSERT_EQ(window.size, 32);
    const std::set<std::uint32_t> windowColours(window.pixels.begin(), window.pixels.end());
    for (int size : kSizes) {
        SCOPED_TRACE(size);
        const Square icon = readPng(size);
        ASSERT_EQ(icon.size, size);
        for (std::uint32_t c : icon.pixels) ASSERT_TRUE(windowColours.count(c)) << std::hex << c;
        if (size < 32) continue;
        // Each pixel of the window's icon against the middle of its cell at this size; only the
        // edges of rounded shapes may fall the other way.
        const auto middle = [size](int i) { return (2 * i + 1) * size / 64; };
        int same = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) same += icon.at(middle(x), middle(y)) == window.at(x, y);
        EXPECT_GE(same, 32 * 32 * 9 / 10);
        if (size == 32) {
            EXPECT_EQ(icon.pixels, window.pixels);
        }
    }
}

} // namespace
