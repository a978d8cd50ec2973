// Bitmaps: LoadImageA of a file, GetObjectA, and BitBlt and StretchBlt between contexts.
#include <algorithm>
#include <string>

#include "platform/ddraw/pixel_format.h"
#include "platform/gdi.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/picture_file.h"

using namespace platform;

namespace {

// The destination rectangle [x, x + w) by [y, y + h) cut to what lies inside both surfaces,
// the source being offset by (sx - x, sy - y). False when nothing is left.
bool clipCopy(const SDL_Surface* dest, const SDL_Surface* source, int& x, int& y, int& w, int& h, int& sx, int& sy) {
    auto cut = [](int& at, int& length, int& sourceAt, int limit, int sourceLimit) {
        const int shiftLow = std::max({0, -at, -sourceAt});
        at += shiftLow;
        sourceAt += shiftLow;
        length -= shiftLow;
        length = std::min({length, limit - at, sourceLimit - sourceAt});
    };
    cut(x, w, sx, dest->w, source->w);
    cut(y, h, sy, dest->h, source->h);
    return w > 0 && h > 0;
}

} // namespace

HBITMAP LoadImageA(HINSTANCE /*instance*/, const char* name, UINT type, int /*width*/, int /*height*/, UINT flags) {
    // The program carries no bitmap resources: only files are found.
    if (type != IMAGE_BITMAP || (flags & LR_LOADFROMFILE) == 0 || name == nullptr || IS_INTRESOURCE(name)) {
        return nullptr;
    }
    std::string path(name);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    SDL_Surface* picture = gdi::readPictureFile(path);
    if (picture == nullptr) {
        return nullptr;
    }
    auto* bitmap = new BitmapObject();
    bitmap->pixels = picture;
    return bitmap;
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
    auto* bitmap = gdi::as<BitmapObject>(object, GdiObject::Kind::Bitmap);
    if (bitmap == nullptr) {
        return 0;
    }
    if (out == nullptr) {
        return static_cast<int>(sizeof(BITMAP));
    }
    if (size < static_cast<int>(sizeof(BITMAP))) {
        return 0;
    }
    const SDL_Surface* s = bitmap->pixels;
    BITMAP info{};
    info.bmType = 0;
    info.bmWidth = s->w;
    info.bmHeight = s->h;
    info.bmWidthBytes = ((s->w * s->format->BitsPerPixel + 31) / 32) * 4;
    info.bmPlanes = 1;
    info.bmBitsPixel = s->format->BitsPerPixel;
    info.bmBits = s->pixels;
    *static_cast<BITMAP*>(out) = info;
    return static_cast<int>(sizeof(BITMAP));
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
    SDL_Surface* to = gdi::target(dest);
    const SDL_Surface* from = gdi::target(source);
    if (rop != SRCCOPY || to == nullptr || from == nullptr) {
        return FALSE;
    }
    if (clipCopy(to, from, x, y, width, height, sx, sy)) {
        pixels::convertBlock(from, sx, sy, to, x, y, width, height);
    }
    return TRUE;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh, DWORD rop) {
    if (width == sw && height == sh) {
        return BitBlt(dest, x, y, width, height, source, sx, sy, rop);
    }
    SDL_Surface* to = gdi::target(dest);
    const SDL_Surface* from = gdi::target(source);
    // Mirroring by negative extents is not offered.
    if (rop != SRCCOPY || to == nullptr || from == nullptr || width <= 0 || height <= 0 || sw <= 0 || sh <= 0) {
        return FALSE;
    }
    // The source block in the destination's format first, then nearest-pixel sampling.
    SDL_Surface* block = SDL_CreateRGBSurfaceWithFormat(0, sw, sh, to->format->BitsPerPixel, to->format->format);
    if (block == nullptr ||
        (to->format->palette != nullptr && SDL_SetSurfacePalette(block, to->format->palette) != 0)) {
        SDL_FreeSurface(block);
        return FALSE;
    }
    int bx = 0;
    int by = 0;
    int bw = sw;
    int bh = sh;
    int fx = sx;
    int fy = sy;
    if (clipCopy(block, from, bx, by, bw, bh, fx, fy)) {
        pixels::convertBlock(from, fx, fy, block, bx, by, bw, bh);
    }
    const int bytes = to->format->BytesPerPixel;
    for (int dy = std::max(0, -y); dy < height && y + dy < to->h; ++dy) {
        const int row = static_cast<int>((2LL * dy * sh + sh) / (2LL * height));
        if (row < by || row >= by + bh) {
            continue;
        }
        for (int dx = std::max(0, -x); dx < width && x + dx < to->w; ++dx) {
            const int column = static_cast<int>((2LL * dx * sw + sw) / (2LL * width));
            if (column >= bx && column < bx + bw) {
                pixels::writeRaw(pixels::pixelAt(to, x + dx, y + dy), bytes,
                                 pixels::readRaw(pixels::pixelAt(block, column, row), bytes));
            }
        }
    }
    SDL_FreeSurface(block);
    return TRUE;
}
