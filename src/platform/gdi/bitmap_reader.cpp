// Checks a bitmap file's headers against its size and the caps, then lets SDL decode it.
#include "platform/gdi/bitmap_reader.h"

#include <cstdint>
#include <cstdlib>

namespace platform::gdi {

namespace {

std::uint32_t u16(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
}
std::uint32_t u32(const unsigned char* p) { return u16(p) | (u16(p + 2) << 16); }

constexpr std::size_t FileHeader = 14;
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiRle8 = 1;
constexpr std::uint32_t BiRle4 = 2;
constexpr std::uint32_t BiBitfields = 3;

bool acceptable(const unsigned char* d, std::size_t size) {
    if (size < FileHeader + 12 || size > MaxBitmapFileBytes || d[0] != 'B' || d[1] != 'M') {
        return false;
    }
    const std::uint32_t offBits = u32(d + 10);
    const std::uint32_t infoSize = u32(d + 14);
    long long width = 0;
    long long height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = BiRgb;
    if (infoSize == 12) {
        width = u16(d + 18);
        height = u16(d + 20);
        bits = u16(d + 24);
    } else if (infoSize >= 40 && infoSize <= 124 && FileHeader + infoSize <= size) {
        width = static_cast<std::int32_t>(u32(d + 18));
        height = static_cast<std::int32_t>(u32(d + 22));
        bits = u16(d + 28);
        compression = u32(d + 30);
    } else {
        return false;
    }
    height = std::llabs(height);
    // Whatever the compression: a run-length file of a few bytes may claim any size.
    if (width <= 0 || height <= 0 || width > MaxBitmapSide || height > MaxBitmapSide ||
        width * height > MaxBitmapPixels) {
        return false;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return false;
    }
    if (offBits < FileHeader + infoSize || offBits > size) {
        return false;
    }
    if (compression == BiRgb || compression == BiBitfields) {
        // Every row must be there: a truncated file is refused, not half drawn.
        const long long stride = ((width * bits + 31) / 32) * 4;
        return static_cast<long long>(offBits) + stride * height <= static_cast<long long>(size);
    }
    return (compression == BiRle8 && bits == 8) || (compression == BiRle4 && bits == 4);
}

} // namespace

SDL_Surface* readBitmap(const void* data, std::size_t size) {
    if (data == nullptr || !acceptable(static_cast<const unsigned char*>(data), size)) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (stream == nullptr) {
        return nullptr;
    }
    SDL_Surface* picture = SDL_LoadBMP_RW(stream, 1);
    if (picture != nullptr && picture->format->BitsPerPixel < 8) {
        SDL_Surface* widened = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_RGB888, 0);
        SDL_FreeSurface(picture);
        picture = widened;
    }
    return picture;
}

} // namespace platform::gdi
