// A full-screen display with its flip chain on the headless backend, and raw pixel access.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/ddraw.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/window.h"

class DisplayFixture {
public:
    explicit DisplayFixture(int bits, int desktopBits = 32) {
        platform::HeadlessOptions options;
        options.desktopBits = desktopBits;
        platform::headless::reset(options);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "DisplayTest";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "DisplayTest", "DisplayTest", WS_POPUPWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
        ShowWindow(window, SW_SHOW);
        EXPECT_EQ(DirectDrawCreate(nullptr, &ddraw, nullptr), DD_OK);
        EXPECT_EQ(ddraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
        EXPECT_EQ(ddraw->SetDisplayMode(800, 600, static_cast<DWORD>(bits)), DD_OK);
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        EXPECT_EQ(ddraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
        DDSCAPS caps = {DDSCAPS_BACKBUFFER};
        EXPECT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    }
    ~DisplayFixture() {
        if (back != nullptr) {
            back->Release();
        }
        if (primary != nullptr) {
            primary->Release();
        }
        if (ddraw != nullptr) {
            ddraw->Release();
        }
    }
    DisplayFixture(const DisplayFixture&) = delete;
    DisplayFixture& operator=(const DisplayFixture&) = delete;

    IDirectDrawSurface* offscreen(int width, int height) {
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = static_cast<DWORD>(width);
        desc.dwHeight = static_cast<DWORD>(height);
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(ddraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    HWND window = nullptr;
    IDirectDraw* ddraw = nullptr;
    IDirectDrawSurface* primary = nullptr;
    IDirectDrawSurface* back = nullptr;
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
