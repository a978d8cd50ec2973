// Windows bitmap files: 24-bit BI_RGB for the pictures, 8-bit with a palette for the icon.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "image.h"

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

Bytes encodeBmp24(const Image& img);
// Any picture given pixel by pixel (0x00RRGGBB, row 0 at the top): the game's screenshots and the
// tests' pictures are written by the same hand as the game's own.
Bytes encodeBmp24(int width, int height, const std::function<Rgb(int x, int y)>& pixelAt);
// Up to 256 distinct colours; the palette is filled in order of first appearance.
Bytes encodeBmp8(const Image& img);

void putLe16(Bytes& out, std::uint32_t v);
void putLe32(Bytes& out, std::uint32_t v);

} // namespace assetgen
