#include "bmp_image.h"

#include <cstdio>

std::vector<std::uint8_t> bmpImage(int width, int height, const ColourAt& colourAt) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> file(54 + static_cast<std::size_t>(rowBytes * height), 0);
    const auto put = [&file](std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) {
            file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<std::uint32_t>(file.size()));
    put(10, 54);
    put(14, 40);
    put(18, static_cast<std::uint32_t>(width));
    put(22, static_cast<std::uint32_t>(height));
    put(26, 1 | 24 << 16); // one plane, 24 bits
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colourAt(x, y);
            std::uint8_t* at = &file[54 + static_cast<std::size_t>((height - 1 - y) * rowBytes + x * 3)];
            at[0] = GetBValue(c);
            at[1] = GetGValue(c);
            at[2] = GetRValue(c);
        }
    }
    return file;
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
