#include "bmp_image.h"

#include <cstdio>

#include "bmp_writer.h"

std::vector<std::uint8_t> bmpImage(int width, int height, const ColourAt& colourAt) {
    return assetgen::encodeBmp24(width, height, [&colourAt](int x, int y) {
        const COLORREF c = colourAt(x, y);
        return assetgen::rgb(GetRValue(c), GetGValue(c), GetBValue(c));
    });
}

bool writeBmp(const std::string& path, int width, int height, const ColourAt& colourAt) {
    const std::vector<std::uint8_t> file = bmpImage(width, height, colourAt);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
