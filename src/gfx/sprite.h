// One picture of the game in its own off-screen surface, drawn by source rectangle.
#pragma once

#include <cstdint>

#include "gfx/display.h"
#include "platform/gdi.h"

class Sprite {
public:
    Display* display = nullptr;
    IDirectDrawSurface* surface = nullptr;
    char fileName[50] = {};
    bool keyed = false;
    std::int32_t width = 0;
    std::int32_t height = 0;

    // A name of 50 characters or more does not fit fileName: refused, the sprite stays unloaded.
    bool load(const char* name, Display* target);
    void setColorKey(COLORREF colour);
    void blit(int left, int top, int right, int bottom, int x, int y);
    void blitWhole(int x, int y);
    HRESULT restore();
    void release();
    // Gives up the surface's reference but keeps the pointer (unused by the game).
    void releaseKeepPointer();
    void setDisplay(Display* target);
};

// Size of the most recently read bitmap, handed from loadBitmapSurface to Sprite::load.
extern std::int32_t lastBitmapWidth;
extern std::int32_t lastBitmapHeight;

struct BitmapSurfaceRecord {
    std::int32_t width;
    std::int32_t height;
    IDirectDrawSurface* surface;
};

IDirectDrawSurface* loadBitmapSurface(IDirectDraw* ddraw, const char* fileName);
BitmapSurfaceRecord loadBitmapSurfaceRecord(IDirectDraw* ddraw, const char* fileName);
IDirectDrawSurface* createOffscreenSurface(IDirectDraw* ddraw, int width, int height);
HRESULT copyBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap, int width, int height);
HRESULT setSurfaceColorKey(IDirectDrawSurface* surface, COLORREF colour);
DWORD matchSurfaceColor(IDirectDrawSurface* surface, COLORREF colour);
HRESULT reloadBitmap(IDirectDrawSurface* surface, const char* fileName);
HRESULT copyBitmapStretched(IDirectDrawSurface* surface, HBITMAP bitmap, int x, int y, int width, int height);
