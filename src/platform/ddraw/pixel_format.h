// Pixel formats of the display modes and raw pixel access shared by the surfaces and GDI.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstring>

#include "platform/win_types.h"

namespace platform::pixels {

// The SDL format of a display mode of that many bits, or SDL_PIXELFORMAT_UNKNOWN.
Uint32 formatForBits(int bits);

// The depth of a desktop in that SDL format: its bytes per pixel times eight (an X11 depth-24
// desktop has 32 bits), or 32 where that is no mode's depth, as for a format SDL cannot name
// (an X server at depth 8 or 30).
int desktopBitsFor(Uint32 desktopFormat);

// A zero-filled surface in a mode's format; 8 bits share the fixed palette. Null on failure.
SDL_Surface* createSurface(int width, int height, int bits);

// The fixed 256-colour palette of the 8-bit mode: a 6x7x6 colour cube and four greys.
SDL_Palette* fixedPalette();

// GDI colour to the raw value of a format, and back.
Uint32 encode(const SDL_PixelFormat* format, COLORREF colour);
COLORREF decode(const SDL_PixelFormat* format, Uint32 raw);

// Raw values fit the format's bits; the unused top byte of 32-bit pixels stays zero.
Uint32 rawMask(const SDL_PixelFormat* format);

// Fills the part of the rectangle that lies inside the surface with one raw value. Faster than
// SDL_FillRect for surfaces that stay in the cache, which every frame's are.
void fill(SDL_Surface* surface, int x, int y, int w, int h, Uint32 raw);

// Magenta and black squares: what a restored surface holds until it is drawn again.
void fillLostPattern(SDL_Surface* surface);

// The whole surface as 0x00RRGGBB, rows packed without padding.
void toXrgb(const SDL_Surface* surface, std::uint32_t* out);

inline Uint32 readRaw(const Uint8* at, int bytes) {
    switch (bytes) {
    case 1:
        return *at;
    case 2: {
        Uint16 v;
        std::memcpy(&v, at, 2);
        return v;
    }
    case 3:
        return static_cast<Uint32>(at[0]) | (static_cast<Uint32>(at[1]) << 8) | (static_cast<Uint32>(at[2]) << 16);
    default: {
        Uint32 v;
        std::memcpy(&v, at, 4);
        return v;
    }
    }
}

inline void writeRaw(Uint8* at, int bytes, Uint32 value) {
    switch (bytes) {
    case 1:
        *at = static_cast<Uint8>(value);
        break;
    case 2: {
        const auto v = static_cast<Uint16>(value);
        std::memcpy(at, &v, 2);
        break;
    }
    case 3:
        at[0] = static_cast<Uint8>(value);
        at[1] = static_cast<Uint8>(value >> 8);
        at[2] = static_cast<Uint8>(value >> 16);
        break;
    default:
        std::memcpy(at, &value, 4);
        break;
    }
}

inline Uint8* pixelAt(SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch +
           static_cast<std::ptrdiff_t>(x) * surface->format->BytesPerPixel;
}
inline const Uint8* pixelAt(const SDL_Surface* surface, int x, int y) {
    return static_cast<const Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch +
           static_cast<std::ptrdiff_t>(x) * surface->format->BytesPerPixel;
}

// True when raw values mean the same colours in both surfaces, so rows copy as bytes.
bool sameRaw(const SDL_Surface* a, const SDL_Surface* b);

// Copies a w by h block between surfaces of any formats, converting each colour as SetPixel
// would, so that a colour key matched through SetPixel finds exactly the copied pixels.
// Rectangles must lie inside both surfaces.
void convertBlock(const SDL_Surface* source, int sx, int sy, SDL_Surface* dest, int dx, int dy, int w, int h);

} // namespace platform::pixels
