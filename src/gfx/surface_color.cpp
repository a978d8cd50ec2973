// The source colour key, matched through the surface's own pixel format.
#include <cstring>

#include "gfx/sprite.h"
#include "gfx/surface_desc.h"

HRESULT setSurfaceColorKey(IDirectDrawSurface* surface, COLORREF colour) {
    const DWORD value = matchSurfaceColor(surface, colour);
    DDCOLORKEY key = {value, value};
    return surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

DWORD matchSurfaceColor(IDirectDrawSurface* surface, COLORREF colour) {
    DWORD result = CLR_INVALID;
    COLORREF saved = CLR_INVALID;
    bool written = false;
    HDC dc = nullptr;
    // Let the driver write the colour into the first pixel, then read back what it stored.
    if (colour != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        saved = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
        written = true;
    }
    DDSURFACEDESC desc = surfaceDesc(0);
    HRESULT locked = surface->Lock(nullptr, &desc, 0, nullptr);
    while (locked == DDERR_WASSTILLDRAWING) {
        locked = surface->Lock(nullptr, &desc, 0, nullptr); // the blitter is still busy
    }
    if (locked == DD_OK) {
        const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        // Only the first pixel's own bytes: a one-pixel surface may hold fewer than four.
        const std::size_t bytes = bits >= 32 ? 4 : (bits + 7) / 8;
        unsigned char raw[4] = {};
        std::memcpy(raw, desc.lpSurface, bytes);
        result = static_cast<DWORD>(raw[0]) | static_cast<DWORD>(raw[1]) << 8 | static_cast<DWORD>(raw[2]) << 16 |
                 static_cast<DWORD>(raw[3]) << 24;
        if (bits < 32) {
            result &= (DWORD{1} << bits) - 1;
        }
        surface->Unlock(nullptr);
    }
    if (written && surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, saved);
        surface->ReleaseDC(dc);
    }
    return result;
}
