// Windows bitmap files, checked before SDL decodes them. Internal to the platform.
#pragma once

#include <SDL.h>

#include <cstddef>

namespace platform::gdi {

// Larger pictures are refused, so that a damaged header cannot ask for gigabytes.
constexpr int MaxBitmapSide = 8192;
constexpr std::size_t MaxBitmapBytes = std::size_t{64} << 20;

// The picture of a bitmap file held in memory, or null when it is refused or malformed.
SDL_Surface* readBitmap(const void* data, std::size_t size);

} // namespace platform::gdi
