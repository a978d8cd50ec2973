// Windows bitmap files, checked before SDL decodes them. Internal to the platform.
#pragma once

#include <SDL.h>

#include <cstddef>

namespace platform::gdi {

// Larger pictures are refused before anything is allocated, so that a small damaged file cannot
// ask for gigabytes. The game's largest picture is 2000 by 135; the rest is room for players' own.
constexpr int MaxBitmapSide = 4096;
constexpr long long MaxBitmapPixels = 16LL << 20;
// Room for the largest picture at 32 bits a pixel, with its headers and palette.
constexpr std::size_t MaxBitmapFileBytes = (std::size_t{MaxBitmapPixels} * 4) + (std::size_t{64} << 10);

// The picture of a bitmap file held in memory, or null when it is refused or malformed.
SDL_Surface* readBitmap(const void* data, std::size_t size);

} // namespace platform::gdi
