// Reading a bitmap file into a new off-screen surface of the display's pixel format.
#include "gfx/gdi_object.h"
#include "gfx/sprite.h"
#include "gfx/surface_desc.h"

std::int32_t lastBitmapWidth = 0;
std::int32_t lastBitmapHeight = 0;

namespace {

// Fills record with the file's size and its new surface; false when the file could not be read.
bool readBitmapSurface(IDirectDraw* ddraw, const char* fileName, BitmapSurfaceRecord& record) {
    const HBITMAP bitmap = LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    if (bitmap == nullptr) {
        return false;
    }
    BITMAP info = {};
    GetObjectA(gdiObject(bitmap), sizeof info, &info);
    record.width = info.bmWidth;
    record.height = info.bmHeight;
    record.surface = createOffscreenSurface(ddraw, info.bmWidth, info.bmHeight);
    if (record.surface != nullptr) {
        // A failed copy still leaves a usable surface; a later restore draws it again.
        copyBitmapToSurface(record.surface, bitmap, info.bmWidth, info.bmHeight);
    }
    DeleteObject(gdiObject(bitmap));
    return true;
}

} // namespace

IDirectDrawSurface* loadBitmapSurface(IDirectDraw* ddraw, const char* fileName) {
    BitmapSurfaceRecord record = {};
    if (!readBitmapSurface(ddraw, fileName, record)) {
        return nullptr;
    }
    lastBitmapWidth = record.width;
    lastBitmapHeight = record.height;
    return record.surface;
}

BitmapSurfaceRecord loadBitmapSurfaceRecord(IDirectDraw* ddraw, const char* fileName) {
    BitmapSurfaceRecord record = {};
    readBitmapSurface(ddraw, fileName, record);
    return record;
}

IDirectDrawSurface* createOffscreenSurface(IDirectDraw* ddraw, int width, int height) {
    if (ddraw == nullptr) {
        return nullptr;
    }
    // No pixel format asked for: the surface takes the display's.
    DDSURFACEDESC desc = surfaceDesc(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    IDirectDrawSurface* surface = nullptr;
    if (ddraw->CreateSurface(&desc, &surface, nullptr) != DD_OK) {
        return nullptr;
    }
    return surface;
}

HRESULT copyBitmapToSurface(IDirectDrawSurface* surface, HBITMAP bitmap, int width, int height) {
    const HDC memory = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(memory, gdiObject(bitmap));
    HDC target = nullptr;
    const HRESULT result = surface->GetDC(&target);
    if (result == DD_OK) {
        BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        surface->ReleaseDC(target);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    return result;
}
