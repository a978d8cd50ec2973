#include "bmp_writer.h"

#include <map>
#include <stdexcept>

namespace assetgen {

void putLe16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 255));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 255));
}

void putLe32(Bytes& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

static void putHeaders(Bytes& out, int width, int height, int bits, std::uint32_t paletteBytes,
                       std::uint32_t imageBytes, std::uint32_t colours) {
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    out.push_back('B');
    out.push_back('M');
    putLe32(out, offset + imageBytes);
    putLe32(out, 0);
    putLe32(out, offset);
    putLe32(out, 40);
    putLe32(out, static_cast<std::uint32_t>(width));
    putLe32(out, static_cast<std::uint32_t>(height)); // positive: bottom-up rows
    putLe16(out, 1);
    putLe16(out, static_cast<std::uint32_t>(bits));
    putLe32(out, 0); // BI_RGB
    putLe32(out, imageBytes);
    putLe32(out, 2835); // 72 dpi
    putLe32(out, 2835);
    putLe32(out, colours);
    putLe32(out, 0);
}

Bytes encodeBmp24(int width, int height, const std::function<Rgb(int x, int y)>& pixelAt) {
    const int stride = (width * 3 + 3) & ~3;
    const auto imageBytes = static_cast<std::uint32_t>(stride * height);
    Bytes out;
    out.reserve(54 + imageBytes);
    putHeaders(out, width, height, 24, 0, imageBytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            Rgb c = pixelAt(x, y);
            out.push_back(static_cast<std::uint8_t>(blue(c)));
            out.push_back(static_cast<std::uint8_t>(green(c)));
            out.push_back(static_cast<std::uint8_t>(red(c)));
        }
        for (int p = width * 3; p < stride; ++p) out.push_back(0);
    }
    return out;
}

Bytes encodeBmp24(const Image& img) {
    return encodeBmp24(img.width, img.height, [&img](int x, int y) { return img.at(x, y); });
}

Bytes encodeBmp8(const Image& img) {
    std::vector<Rgb> palette;
    std::map<Rgb, std::uint8_t> index;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            Rgb c = img.at(x, y);
            if (index.count(c)) continue;
            if (palette.size() == 256) throw std::runtime_error("icon has more than 256 colours");
            index[c] = static_cast<std::uint8_t>(palette.size());
            palette.push_back(c);
        }
    palette.resize(256, 0);
    const int stride = (img.width + 3) & ~3;
    const auto imageBytes = static_cast<std::uint32_t>(stride * img.height);
    Bytes out;
    putHeaders(out, img.width, img.height, 8, 256 * 4, imageBytes, 256);
    for (Rgb c : palette) {
        out.push_back(static_cast<std::uint8_t>(blue(c)));
        out.push_back(static_cast<std::uint8_t>(green(c)));
        out.push_back(static_cast<std::uint8_t>(red(c)));
        out.push_back(0);
    }
    for (int y = img.height - 1; y >= 0; --y) {
        for (int x = 0; x < img.width; ++x) out.push_back(index[img.at(x, y)]);
        for (int p = img.width; p < stride; ++p) out.push_back(0);
    }
    return out;
}

} // namespace assetgen
