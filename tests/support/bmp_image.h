// 24-bit bottom-up bitmap files made in memory from a colour for every pixel, row 0 at the top.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win_types.h"

using ColourAt = std::function<COLORREF(int x, int y)>;

std::vector<std::uint8_t> bmpImage(int width, int height, const ColourAt& colourAt);

// False when the file cannot be written.
bool writeBmp(const std::string& path, int width, int height, const ColourAt& colourAt);
