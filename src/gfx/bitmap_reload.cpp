// Drawing a picture again from its file into a surface whose memory the display took back.
#include "gfx/gdi_object.h"
#include "gfx/sprite.h"
#include "gfx/surface_desc.h"
#include "platform/window.h"

HRESULT reloadBitmap(IDirectDrawSurface* surface, const char* fileName) {
    // A bitmap resource of that name in the program would win over the file.
    HBITMAP bitmap = LoadImageA(GetModuleHandleA(nullptr), fileName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (bitmap == nullptr) {
        bitmap = LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    }
    if (bitmap == nullptr) {
        OutputDebugStringA("handle is null\n");
        return E_FAIL;
    }
    const HRESULT result = copyBitmapStretched(surface, bitmap, 0, 0, 0, 0);
    if (result != DD_OK) {
        OutputDebugStringA("ddcopybitmap failed\n");
    }
    DeleteObject(gdiObject(bitmap));
    return result;
}

HRESULT copyBitmapStretched(IDirectDrawSurface* surface, HBITMAP bitmap, int x, int y, int width, int height) {
    if (bitmap == nullptr || surface == nullptr) {
        return E_FAIL;
    }
    surface->Restore();
    const HDC memory = CreateCompatibleDC(nullptr);
    if (memory == nullptr) {
        OutputDebugStringA("createcompatible dc failed\n");
    }
    SelectObject(memory, gdiObject(bitmap));
    BITMAP info = {};
    GetObjectA(gdiObject(bitmap), sizeof info, &info);
    if (width == 0) {
        width = info.bmWidth;
    }
    if (height == 0) {
        height = info.bmHeight;
    }
    DDSURFACEDESC desc = surfaceDesc(DDSD_HEIGHT | DDSD_WIDTH);
    surface->GetSurfaceDesc(&desc);
    HDC target = nullptr;
    const HRESULT result = surface->GetDC(&target);
    if (result == DD_OK) {
        StretchBlt(target, 0, 0, static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight), memory, x, y, width,
                   height, SRCCOPY);
        surface->ReleaseDC(target);
    }
    DeleteDC(memory);
    return result;
}
