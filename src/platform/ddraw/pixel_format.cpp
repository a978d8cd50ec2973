// Display-mode pixel formats, colour conversion and the frame conversion for presenting.
#include "platform/ddraw/pixel_format.h"

#include <algorithm>
#include <array>

namespace platform::pixels {

namespace {

constexpr int RedLevels = 6;
constexpr int GreenLevels = 7;
constexpr int BlueLevels = 6;
constexpr std::array<Uint8, 4> ExtraGreys = {0x20, 0x60, 0xA0, 0xE0};

Uint8 level(int index, int levels) { return static_cast<Uint8>((index * 255 + (levels - 1) / 2) / (levels - 1)); }

SDL_Palette* buildPalette() {
    SDL_Palette* palette = SDL_AllocPalette(256);
    if (palette == nullptr) {
        return nullptr;
    }
    std::array<SDL_Color, 256> colours{};
    int i = 0;
    for (int r = 0; r < RedLevels; ++r) {
        for (int g = 0; g < GreenLevels; ++g) {
            for (int b = 0; b < BlueLevels; ++b) {
                colours[static_cast<std::size_t>(i++)] =
                    SDL_Color{level(r, RedLevels), level(g, GreenLevels), level(b, BlueLevels), 255};
            }
        }
    }
    for (Uint8 grey : ExtraGreys) {
        colours[static_cast<std::size_t>(i++)] = SDL_Color{grey, grey, grey, 255};
    }
    SDL_SetPaletteColors(palette, colours.data(), 0, 256);
    return palette;
}

// Remembers recent conversions, so that converting a picture to 8 bits does not search the
// palette for every pixel.
class EncodeCache {
public:
    explicit EncodeCache(const SDL_PixelFormat* format) : format_(format) { keys_.fill(0xFFFFFFFFu); }

    Uint32 operator()(COLORREF colour) {
        if (format_->palette == nullptr) {
            return encode(format_, colour);
        }
        const std::size_t slot = ((colour * 2654435761u) >> 20) & (Slots - 1);
        if (keys_[slot] != colour) {
            keys_[slot] = colour;
            values_[slot] = encode(format_, colour);
        }
        return values_[slot];
    }

private:
    static constexpr std::size_t Slots = 4096;
    const SDL_PixelFormat* format_;
    std::array<COLORREF, Slots> keys_;
    std::array<Uint32, Slots> values_{};
};

// 5-6-5 widened as SDL_GetRGB widens it (v x 255 / 31 or 63, rounded down), so that GetPixel
// and the screen agree. Products that fit 16 bits rather than tables keep the loop vectorised:
// v x 255 / 31 = (v x 1053) >> 7 and v x 255 / 63 = 4v + (v x 49) >> 10 for every v.
void widen565(const Uint16* __restrict row, std::uint32_t* __restrict out, int count) {
    for (int x = 0; x < count; ++x) {
        const Uint16 p = row[x];
        const auto red = static_cast<Uint16>(p >> 11);
        const auto green = static_cast<Uint16>((p >> 5) & 0x3F);
        const auto blue = static_cast<Uint16>(p & 0x1F);
        const auto r = static_cast<Uint16>(static_cast<Uint16>(red * 1053) >> 7);
        const auto g = static_cast<Uint16>((green << 2) + (static_cast<Uint16>(green * 49) >> 10));
        const auto b = static_cast<Uint16>(static_cast<Uint16>(blue * 1053) >> 7);
        out[x] = (std::uint32_t{r} << 16) | static_cast<std::uint32_t>((g << 8) | b);
    }
}

} // namespace

Uint32 formatForBits(int bits) {
    switch (bits) {
    case 8:
        return SDL_PIXELFORMAT_INDEX8;
    case 16:
        return SDL_PIXELFORMAT_RGB565;
    case 24:
        return SDL_PIXELFORMAT_BGR24; // bytes B, G, R in memory, as Windows keeps them
    case 32:
        return SDL_PIXELFORMAT_RGB888; // 0x00RRGGBB
    default:
        return SDL_PIXELFORMAT_UNKNOWN;
    }
}

int desktopBitsFor(Uint32 desktopFormat) {
    const int bits = SDL_BYTESPERPIXEL(desktopFormat) * 8;
    return formatForBits(bits) != SDL_PIXELFORMAT_UNKNOWN ? bits : 32;
}

SDL_Palette* fixedPalette() {
    static SDL_Palette* const palette = buildPalette();
    return palette;
}

SDL_Surface* createSurface(int width, int height, int bits) {
    const Uint32 format = formatForBits(bits);
    if (format == SDL_PIXELFORMAT_UNKNOWN || width <= 0 || height <= 0) {
        return nullptr;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, bits, format);
    if (surface == nullptr) {
        return nullptr;
    }
    if (bits == 8 && (fixedPalette() == nullptr || SDL_SetSurfacePalette(surface, fixedPalette()) != 0)) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return surface;
}

Uint32 encode(const SDL_PixelFormat* format, COLORREF colour) {
    return SDL_MapRGB(format, GetRValue(colour), GetGValue(colour), GetBValue(colour)) & rawMask(format);
}

COLORREF decode(const SDL_PixelFormat* format, Uint32 raw) {
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(raw, format, &r, &g, &b);
    return RGB(r, g, b);
}

Uint32 rawMask(const SDL_PixelFormat* format) {
    if (format->BitsPerPixel >= 32) {
        // Opaque formats keep the spare byte clear; formats with alpha keep it.
        return format->Amask != 0 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    }
    return (1u << format->BitsPerPixel) - 1u;
}

void fill(SDL_Surface* surface, int x, int y, int w, int h, Uint32 raw) {
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = static_cast<int>(std::min<long long>(static_cast<long long>(x) + w, surface->w));
    const int bottom = static_cast<int>(std::min<long long>(static_cast<long long>(y) + h, surface->h));
    if (left >= right || top >= bottom) {
        return;
    }
    const auto count = static_cast<std::size_t>(right - left);
    for (int row = top; row < bottom; ++row) {
        Uint8* at = pixelAt(surface, left, row);
        switch (surface->format->BytesPerPixel) {
        case 1:
            std::memset(at, static_cast<int>(raw & 0xFF), count);
            break;
        case 2:
            std::fill_n(reinterpret_cast<Uint16*>(at), count, static_cast<Uint16>(raw));
            break;
        case 3:
            for (std::size_t i = 0; i < count; ++i, at += 3) {
                writeRaw(at, 3, raw);
            }
            break;
        default:
            std::fill_n(reinterpret_cast<Uint32*>(at), count, raw);
            break;
        }
    }
}

void fillLostPattern(SDL_Surface* surface) {
    constexpr int Square = 8;
    const Uint32 magenta = encode(surface->format, RGB(255, 0, 255));
    const Uint32 black = encode(surface->format, RGB(0, 0, 0));
    for (int y = 0; y < surface->h; y += Square) {
        for (int x = 0; x < surface->w; x += Square) {
            fill(surface, x, y, Square, Square, ((x / Square + y / Square) % 2 == 0) ? magenta : black);
        }
    }
}

void toXrgb(const SDL_Surface* surface, std::uint32_t* out) {
    const int w = surface->w;
    const int h = surface->h;
    const auto* base = static_cast<const Uint8*>(surface->pixels);
    switch (surface->format->BytesPerPixel) {
    case 4:
        for (int y = 0; y < h; ++y, out += w) {
            const auto* row =
                reinterpret_cast<const std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * surface->pitch);
            for (int x = 0; x < w; ++x) {
                out[x] = row[x] & 0x00FFFFFFu;
            }
        }
        break;
    case 3:
        for (int y = 0; y < h; ++y, out += w) {
            const Uint8* row = base + static_cast<std::ptrdiff_t>(y) * surface->pitch;
            for (int x = 0; x < w; ++x, row += 3) {
                out[x] = static_cast<std::uint32_t>(row[0]) | (static_cast<std::uint32_t>(row[1]) << 8) |
                         (static_cast<std::uint32_t>(row[2]) << 16);
            }
        }
        break;
    case 2:
        for (int y = 0; y < h; ++y, out += w) {
            const auto* row = reinterpret_cast<const Uint16*>(base + static_cast<std::ptrdiff_t>(y) * surface->pitch);
            widen565(row, out, w);
        }
        break;
    default: {
        std::array<std::uint32_t, 256> lookup{};
        const SDL_Palette* palette = surface->format->palette;
        for (int i = 0; palette != nullptr && i < palette->ncolors && i < 256; ++i) {
            const SDL_Color c = palette->colors[i];
            lookup[static_cast<std::size_t>(i)] = (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
        }
        for (int y = 0; y < h; ++y, out += w) {
            const Uint8* row = base + static_cast<std::ptrdiff_t>(y) * surface->pitch;
            for (int x = 0; x < w; ++x) {
                out[x] = lookup[row[x]];
            }
        }
        break;
    }
    }
}

bool sameRaw(const SDL_Surface* a, const SDL_Surface* b) {
    if (a->format->format != b->format->format) {
        return false;
    }
    const SDL_Palette* pa = a->format->palette;
    const SDL_Palette* pb = b->format->palette;
    if (pa == pb) {
        return true;
    }
    if (pa == nullptr || pb == nullptr || pa->ncolors != pb->ncolors) {
        return false;
    }
    return std::memcmp(pa->colors, pb->colors, sizeof(SDL_Color) * static_cast<std::size_t>(pa->ncolors)) == 0;
}

void convertBlock(const SDL_Surface* source, int sx, int sy, SDL_Surface* dest, int dx, int dy, int w, int h) {
    if (w <= 0 || h <= 0) {
        return;
    }
    const int sBytes = source->format->BytesPerPixel;
    const int dBytes = dest->format->BytesPerPixel;
    if (sameRaw(source, dest)) {
        const auto rowBytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(dBytes);
        // Within one surface a block moved down is copied from its last row up.
        const bool upwards = source == dest && dy > sy;
        for (int i = 0; i < h; ++i) {
            const int y = upwards ? h - 1 - i : i;
            std::memmove(pixelAt(dest, dx, dy + y), pixelAt(source, sx, sy + y), rowBytes);
        }
        return;
    }
    const SDL_PixelFormat* from = source->format;
    const SDL_PixelFormat* to = dest->format;
    if (from->palette == nullptr && to->palette == nullptr && from->Rloss == 0 && from->Gloss == 0 &&
        from->Bloss == 0) {
        // Eight bits a channel into a format without palette, as decode and encode would give it,
        // without two calls a pixel: a picture repaired in every frame is copied in every frame.
        const Uint32 mask = rawMask(to);
        for (int y = 0; y < h; ++y) {
            const Uint8* at = pixelAt(source, sx, sy + y);
            Uint8* out = pixelAt(dest, dx, dy + y);
            for (int x = 0; x < w; ++x, at += sBytes, out += dBytes) {
                const Uint32 raw = readRaw(at, sBytes);
                const Uint32 r = (raw & from->Rmask) >> from->Rshift;
                const Uint32 g = (raw & from->Gmask) >> from->Gshift;
                const Uint32 b = (raw & from->Bmask) >> from->Bshift;
                writeRaw(out, dBytes,
                         (((r >> to->Rloss) << to->Rshift) | ((g >> to->Gloss) << to->Gshift) |
                          ((b >> to->Bloss) << to->Bshift) | to->Amask) &
                             mask);
            }
        }
        return;
    }
    EncodeCache toDest(dest->format);
    for (int y = 0; y < h; ++y) {
        const Uint8* from = pixelAt(source, sx, sy + y);
        Uint8* to = pixelAt(dest, dx, dy + y);
        for (int x = 0; x < w; ++x, from += sBytes, to += dBytes) {
            writeRaw(to, dBytes, toDest(decode(source->format, readRaw(from, sBytes))));
        }
    }
}

} // namespace platform::pixels
