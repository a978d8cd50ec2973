// A sprite: loading, keying, drawing by source rectangle, and repair after a failed draw.
#include "gfx/sprite.h"

#include <cstring>

bool Sprite::load(const char* name, Display* target) {
    display = target;
    // fileName holds 49 characters and its terminator; a longer name would overrun it.
    if (name == nullptr || std::strlen(name) >= sizeof fileName) {
        return false;
    }
    std::memcpy(fileName, name, std::strlen(name) + 1);
    if (display == nullptr) {
        return false;
    }
    surface = loadBitmapSurface(display->ddraw, fileName);
    if (surface == nullptr) {
        return false;
    }
    width = lastBitmapWidth;
    height = lastBitmapHeight;
    return true;
}

void Sprite::setColorKey(COLORREF colour) {
    if (surface == nullptr) {
        return;
    }
    setSurfaceColorKey(surface, colour);
    keyed = true;
}

void Sprite::blit(int left, int top, int right, int bottom, int x, int y) {
    RECT source;
    SetRect(&source, left, top, right, bottom);
    if (surface == nullptr) {
        return;
    }
    // The keyed copy does not wait for a busy blitter; the plain copy waits and ignores the key.
    const DWORD flags = keyed ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_WAIT;
    const HRESULT result =
        display->backBuffer->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), surface, &source, flags);
    if (result != DD_OK) {
        // Most likely the surface was lost: read the picture again and draw it next frame.
        restore();
    }
}

void Sprite::blitWhole(int x, int y) { blit(0, 0, width, height, x, y); }

HRESULT Sprite::restore() { return reloadBitmap(surface, fileName); }

void Sprite::release() {
    if (surface != nullptr) {
        surface->Release();
        surface = nullptr;
    }
}

void Sprite::releaseKeepPointer() {
    if (surface != nullptr) {
        surface->Release();
    }
}

void Sprite::setDisplay(Display* target) { display = target; }
