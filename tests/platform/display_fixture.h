// A full-screen display with its flip chain on the headless backend, and raw pixel access.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "headless_display.h"
#include "platform/ddraw.h"
#include "platform/gdi.h"
#include "platform/headless.h"

class DisplayFixture : public HeadlessDisplay {
public:
    explicit DisplayFixture(int bits, int desktopBits = 32) : HeadlessDisplay(bits, desktopBits) {
        EXPECT_TRUE(ready()) << failedStep();
    }

    IDirectDrawSurface* offscreen(int width, int height) {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = static_cast<DWORD>(width);
        desc.dwHeight = static_cast<DWORD>(height);
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(display.ddraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    // Short names for the chain's parts; clearing one here stops the destructor releasing it.
    IDirectDraw*& ddraw = display.ddraw;
    IDirectDrawSurface*& primary = display.primary;
    IDirectDrawSurface*& back = display.backBuffer;
};

// Raw pixel values of a surface through Lock.
inline std::uint32_t rawPixel(IDirectDrawSurface* surface, int x, int y) {
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        ADD_FAILURE() << "surface cannot be locked";
        return 0xDEADBEEFu;
    }
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount) / 8;
    const auto* at = static_cast<const unsigned char*>(desc.lpSurface) + y * desc.lPitch + x * bytes;
    std::uint32_t value = 0;
    std::memcpy(&value, at, static_cast<std::size_t>(bytes));
    surface->Unlock(nullptr);
    return value;
}

inline void setRawPixel(IDirectDrawSurface* surface, int x, int y, std::uint32_t value) {
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount) / 8;
    auto* at = static_cast<unsigned char*>(desc.lpSurface) + y * desc.lPitch + x * bytes;
    std::memcpy(at, &value, static_cast<std::size_t>(bytes));
    surface->Unlock(nullptr);
}

// Colours through a device context on the surface, as GDI reads and writes them.
inline COLORREF colourAt(IDirectDrawSurface* surface, int x, int y) {
    HDC dc = nullptr;
    if (surface->GetDC(&dc) != DD_OK) {
        ADD_FAILURE() << "no context on the surface";
        return CLR_INVALID;
    }
    const COLORREF colour = GetPixel(dc, x, y);
    surface->ReleaseDC(dc);
    return colour;
}

inline void fillSurface(IDirectDrawSurface* surface, std::uint32_t raw) {
    DDBLTFX fx = {};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = raw;
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
}

template <class Handle>
HGDIOBJ object(Handle handle) {
    return reinterpret_cast<HGDIOBJ>(handle);
}
