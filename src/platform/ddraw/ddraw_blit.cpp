// Copies between surfaces and colour fills. The blitter is software: it is never busy unless a
// test says so, and it never clips: a rectangle that does not fit is refused and nothing is drawn.
#include <vector>

#include "platform/core/system.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/ddraw/surface_impl.h"

using namespace platform;

namespace {

bool inside(const RECT& r, const SDL_Surface* s) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= s->w && r.bottom <= s->h;
}

Uint32 widthMask(const SDL_Surface* s) {
    return s->format->BitsPerPixel >= 32 ? 0xFFFFFFFFu : (1u << s->format->BitsPerPixel) - 1u;
}

template <class Pixel>
void keyedRows(const Uint8* from, int fromPitch, Uint8* to, int toPitch, int w, int h, Uint32 key) {
    const auto k = static_cast<Pixel>(key);
    for (int y = 0; y < h; ++y, from += fromPitch, to += toPitch) {
        const auto* s = reinterpret_cast<const Pixel*>(from);
        auto* d = reinterpret_cast<Pixel*>(to);
        for (int x = 0; x < w; ++x) {
            // A select rather than a branch, so that the loop vectorises.
            d[x] = s[x] != k ? s[x] : d[x];
        }
    }
}

void keyedRows24(const Uint8* from, int fromPitch, Uint8* to, int toPitch, int w, int h, Uint32 key) {
    for (int y = 0; y < h; ++y, from += fromPitch, to += toPitch) {
        for (int x = 0; x < 3 * w; x += 3) {
            if (pixels::readRaw(from + x, 3) != key) {
                to[x] = from[x];
                to[x + 1] = from[x + 1];
                to[x + 2] = from[x + 2];
            }
        }
    }
}

void keyedCopy(const Uint8* from, int fromPitch, SDL_Surface* dest, int x, int y, int w, int h, Uint32 key) {
    Uint8* to = pixels::pixelAt(dest, x, y);
    switch (dest->format->BytesPerPixel) {
    case 1:
        keyedRows<Uint8>(from, fromPitch, to, dest->pitch, w, h, key);
        break;
    case 2:
        keyedRows<Uint16>(from, fromPitch, to, dest->pitch, w, h, key);
        break;
    case 3:
        keyedRows24(from, fromPitch, to, dest->pitch, w, h, key);
        break;
    default:
        keyedRows<Uint32>(from, fromPitch, to, dest->pitch, w, h, key);
        break;
    }
}

// Copies the source rectangle to (x, y) of dest, skipping the source key when keyed.
void copyBlock(const SurfaceImpl& source, const RECT& r, SDL_Surface* dest, int x, int y, bool keyed) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (!keyed) {
        pixels::convertBlock(source.pixels, r.left, r.top, dest, x, y, w, h);
        return;
    }
    const Uint8* from = pixels::pixelAt(source.pixels, r.left, r.top);
    int fromPitch = source.pixels->pitch;
    if (source.pixels == dest) {
        // Within one surface, read from a copy so that overlapping blocks come out whole.
        static std::vector<Uint8> staged;
        const int bytes = dest->format->BytesPerPixel;
        fromPitch = w * bytes;
        staged.resize(static_cast<std::size_t>(fromPitch) * static_cast<std::size_t>(h));
        for (int row = 0; row < h; ++row) {
            std::memcpy(staged.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(fromPitch),
                        from + static_cast<std::ptrdiff_t>(row) * source.pixels->pitch,
                        static_cast<std::size_t>(fromPitch));
        }
        from = staged.data();
    }
    keyedCopy(from, fromPitch, dest, x, y, w, h, source.key);
}

// Nearest-pixel scaling for Blt between rectangles of different sizes.
void scaledCopy(const SurfaceImpl& source, const RECT& s, SDL_Surface* dest, const RECT& d, bool keyed) {
    const int bytes = dest->format->BytesPerPixel;
    const int sw = s.right - s.left;
    const int sh = s.bottom - s.top;
    const int dw = d.right - d.left;
    const int dh = d.bottom - d.top;
    for (int y = 0; y < dh; ++y) {
        const int sy = s.top + static_cast<int>((static_cast<long long>(y) * sh + sh / 2) / dh);
        for (int x = 0; x < dw; ++x) {
            const int sx = s.left + static_cast<int>((static_cast<long long>(x) * sw + sw / 2) / dw);
            const Uint32 value = pixels::readRaw(pixels::pixelAt(source.pixels, sx, sy), bytes);
            if (!keyed || value != source.key) {
                pixels::writeRaw(pixels::pixelAt(dest, d.left + x, d.top + y), bytes, value);
            }
        }
    }
}

} // namespace

HRESULT IDirectDrawSurface::BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, RECT* sourceRect, DWORD trans) {
    if (source == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    const SurfaceImpl& from = *source->impl();
    if (impl_->lost || from.lost) {
        return DDERR_SURFACELOST;
    }
    if (sys::blitterBusy((trans & DDBLTFAST_WAIT) != 0)) {
        return DDERR_WASSTILLDRAWING;
    }
    const RECT r = sourceRect != nullptr ? *sourceRect : RECT{0, 0, from.pixels->w, from.pixels->h};
    SDL_Surface* dest = impl_->pixels;
    if (!inside(r, from.pixels) || x > static_cast<DWORD>(dest->w) || y > static_cast<DWORD>(dest->h) ||
        static_cast<long long>(x) + (r.right - r.left) > dest->w ||
        static_cast<long long>(y) + (r.bottom - r.top) > dest->h) {
        return DDERR_INVALIDRECT;
    }
    if (from.pixels->format->BytesPerPixel != dest->format->BytesPerPixel) {
        return DDERR_INVALIDPARAMS;
    }
    // A keyed copy from a surface without a key copies everything, as a plain one does.
    const bool keyed = (trans & DDBLTFAST_SRCCOLORKEY) != 0 && from.keyed;
    copyBlock(from, r, dest, static_cast<int>(x), static_cast<int>(y), keyed);
    return DD_OK;
}

HRESULT IDirectDrawSurface::Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags,
                                DDBLTFX* fx) {
    SDL_Surface* dest = impl_->pixels;
    if (impl_->lost || (source != nullptr && source->impl()->lost)) {
        return DDERR_SURFACELOST;
    }
    if (sys::blitterBusy((flags & DDBLT_WAIT) != 0)) {
        return DDERR_WASSTILLDRAWING;
    }
    const RECT d = destRect != nullptr ? *destRect : RECT{0, 0, dest->w, dest->h};
    if (!inside(d, dest)) {
        return DDERR_INVALIDRECT;
    }
    if ((flags & DDBLT_COLORFILL) != 0) {
        // DirectDraw reads no effects record that does not give its own size.
        if (fx == nullptr || fx->dwSize != sizeof(DDBLTFX)) {
            return DDERR_INVALIDPARAMS;
        }
        pixels::fill(dest, d.left, d.top, d.right - d.left, d.bottom - d.top, fx->dwFillColor & widthMask(dest));
        return DD_OK;
    }
    if (source == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    const SurfaceImpl& from = *source->impl();
    const RECT s = sourceRect != nullptr ? *sourceRect : RECT{0, 0, from.pixels->w, from.pixels->h};
    if (!inside(s, from.pixels)) {
        return DDERR_INVALIDRECT;
    }
    if (from.pixels->format->BytesPerPixel != dest->format->BytesPerPixel) {
        return DDERR_INVALIDPARAMS;
    }
    const bool keyed = (flags & DDBLT_KEYSRC) != 0 && from.keyed;
    if (s.right - s.left == d.right - d.left && s.bottom - s.top == d.bottom - d.top) {
        copyBlock(from, s, dest, d.left, d.top, keyed);
    } else {
        scaledCopy(from, s, dest, d, keyed);
    }
    return DD_OK;
}
