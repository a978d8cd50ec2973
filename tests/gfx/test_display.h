// An 800 by 600 flip chain on the headless backend, for drawing tests.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/display.h"
#include "platform/headless.h"
#include "platform/window.h"

class TestDisplay {
public:
    explicit TestDisplay(int bits) {
        platform::HeadlessOptions options;
        options.desktopBits = bits;
        platform::headless::reset(options);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "GfxTest";
        RegisterClassA(&windowClass);
        HWND window = CreateWindowExA(0, "GfxTest", "GfxTest", WS_POPUPWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                      nullptr, nullptr);
        ShowWindow(window, SW_SHOW);
        EXPECT_EQ(DirectDrawCreate(nullptr, &display.ddraw, nullptr), DD_OK);
        EXPECT_EQ(display.ddraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
        EXPECT_EQ(display.ddraw->SetDisplayMode(800, 600, static_cast<DWORD>(bits)), DD_OK);
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        EXPECT_EQ(display.ddraw->CreateSurface(&desc, &display.primary, nullptr), DD_OK);
        DDSCAPS caps = {DDSCAPS_BACKBUFFER};
        EXPECT_EQ(display.primary->GetAttachedSurface(&caps, &display.backBuffer), DD_OK);
        clear();
    }
    ~TestDisplay() {
        display.backBuffer->Release();
        display.primary->Release();
        display.ddraw->Release();
    }
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

    // The whole back buffer to raw value 0, black at every depth.
    void clear() {
        DDBLTFX fx = {};
        fx.dwSize = sizeof fx;
        EXPECT_EQ(display.backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    }

    // The rectangle [left, right) by [top, bottom) as colours, row by row.
    std::vector<COLORREF> pixels(int left, int top, int right, int bottom) const {
        std::vector<COLORREF> out;
        HDC dc = nullptr;
        EXPECT_EQ(display.backBuffer->GetDC(&dc), DD_OK);
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                out.push_back(GetPixel(dc, x, y));
            }
        }
        display.backBuffer->ReleaseDC(dc);
        return out;
    }
    COLORREF pixel(int x, int y) const { return pixels(x, y, x + 1, y + 1)[0]; }

    Display display = {};
};
