// Windows bitmap files: 24-bit BI_RGB for the pictures, 8-bit with a palette for the icon.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

Bytes encodeBmp24(const Image& img);
// Up to 256 distinct colours; the palette is filled in order of first appearance.
Bytes encodeBmp8(const Image& img);

void putLe16(Bytes& out, std::uint32_t v);
void putLe32(Bytes& out, std::uint32_t v);

} // namespace assetgen
