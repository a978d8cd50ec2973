// Device contexts, the life of GDI objects, stock objects, colours and single pixels.
#include "platform/core/backend.h"
#include "platform/core/system.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/gdi.h"
#include "platform/gdi/font_face.h"
#include "platform/gdi/gdi_objects.h"

using namespace platform;

namespace platform::gdi {

namespace {

template <class T>
T* stockObject(T* object) {
    object->head.stock = true;
    return object;
}

BrushObject* stockBrush(COLORREF colour, bool hollow = false) {
    auto* brush = new BrushObject();
    brush->colour = colour;
    brush->hollow = hollow;
    return stockObject(brush);
}

PenObject* stockPen(COLORREF colour, bool hollow = false) {
    auto* pen = new PenObject();
    pen->colour = colour;
    pen->hollow = hollow;
    return stockObject(pen);
}

// Stock objects live as long as the process; made on first use, never freed.
struct Stock {
    BrushObject* brushes[6] = {stockBrush(RGB(255, 255, 255)), stockBrush(RGB(192, 192, 192)),
                               stockBrush(RGB(128, 128, 128)), stockBrush(RGB(64, 64, 64)),
                               stockBrush(RGB(0, 0, 0)),       stockBrush(0, true)};
    PenObject* pens[3] = {stockPen(RGB(255, 255, 255)), stockPen(RGB(0, 0, 0)), stockPen(0, true)};
    BitmapObject* oneByOne = makeOneByOne();

    static BitmapObject* makeOneByOne() {
        auto* bitmap = new BitmapObject();
        bitmap->pixels = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_RGB888);
        return stockObject(bitmap);
    }
};

Stock& stock() {
    static auto* objects = new Stock();
    return *objects;
}

DeviceContext& screenContext() {
    static auto* dc = [] {
        auto* context = new DeviceContext();
        initContext(*context, DeviceContext::Kind::Screen, nullptr);
        return context;
    }();
    return *dc;
}

void freeObject(GdiObject* object) {
    switch (object->kind) {
    case GdiObject::Kind::Bitmap: {
        auto* bitmap = reinterpret_cast<BitmapObject*>(object);
        SDL_FreeSurface(bitmap->pixels);
        delete bitmap;
        break;
    }
    case GdiObject::Kind::Brush:
        delete reinterpret_cast<BrushObject*>(object);
        break;
    case GdiObject::Kind::Pen:
        delete reinterpret_cast<PenObject*>(object);
        break;
    case GdiObject::Kind::Font: {
        auto* font = reinterpret_cast<FontObject*>(object);
        delete font->face;
        delete font;
        break;
    }
    }
}

// Puts object into the slot, returning what the slot held.
template <class T>
HGDIOBJ swapSelected(T*& slot, T* object) {
    T* previous = slot;
    retain(head(object));
    slot = object;
    release(head(previous));
    return reinterpret_cast<HGDIOBJ>(previous);
}

} // namespace

void retain(GdiObject* object) {
    if (object != nullptr && !object->stock) {
        ++object->refs;
    }
}

void release(GdiObject* object) {
    if (object != nullptr && !object->stock && --object->refs == 0) {
        freeObject(object);
    }
}

void initContext(DeviceContext& dc, DeviceContext::Kind kind, SDL_Surface* surface) {
    dc = DeviceContext{};
    dc.kind = kind;
    dc.surface = surface;
    dc.brush = stock().brushes[0];
    dc.pen = stock().pens[1];
    dc.font = systemFont();
    if (kind == DeviceContext::Kind::Memory) {
        dc.bitmap = stock().oneByOne;
    }
}

void clearContext(DeviceContext& dc) {
    release(head(dc.bitmap));
    release(head(dc.brush));
    release(head(dc.pen));
    release(head(dc.font));
    dc.bitmap = nullptr;
    dc.brush = nullptr;
    dc.pen = nullptr;
    dc.font = nullptr;
}

SDL_Surface* target(const DeviceContext* dc) {
    if (dc == nullptr) {
        return nullptr;
    }
    switch (dc->kind) {
    case DeviceContext::Kind::Surface:
        return dc->surface;
    case DeviceContext::Kind::Memory:
        return dc->bitmap != nullptr ? dc->bitmap->pixels : nullptr;
    default:
        return nullptr;
    }
}

FontObject* systemFont() {
    // The context's default font: bold, 16 pixels high.
    static FontObject* const font = [] {
        FontFace* face = FontFace::open("Arial", 16, 700, false);
        if (face == nullptr) {
            return static_cast<FontObject*>(nullptr);
        }
        auto* object = new FontObject();
        object->face = face;
        return stockObject(object);
    }();
    return font;
}

} // namespace platform::gdi

HGDIOBJ GetStockObject(int which) {
    auto& objects = gdi::stock();
    if (which >= WHITE_BRUSH && which <= NULL_BRUSH) {
        return gdi::head(objects.brushes[which]);
    }
    if (which >= WHITE_PEN && which <= NULL_PEN) {
        return gdi::head(objects.pens[which - WHITE_PEN]);
    }
    if (which == SYSTEM_FONT) {
        return gdi::head(gdi::systemFont());
    }
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (object == nullptr || object->deleted) {
        return FALSE;
    }
    if (object->stock) {
        return TRUE;
    }
    // An object still selected somewhere lives on until it is deselected.
    object->deleted = true;
    gdi::release(object);
    return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (dc == nullptr || object == nullptr || object->deleted) {
        return nullptr;
    }
    switch (object->kind) {
    case GdiObject::Kind::Bitmap:
        if (dc->kind != DeviceContext::Kind::Memory) {
            return nullptr;
        }
        return gdi::swapSelected(dc->bitmap, reinterpret_cast<BitmapObject*>(object));
    case GdiObject::Kind::Brush:
        return gdi::swapSelected(dc->brush, reinterpret_cast<BrushObject*>(object));
    case GdiObject::Kind::Pen:
        return gdi::swapSelected(dc->pen, reinterpret_cast<PenObject*>(object));
    case GdiObject::Kind::Font:
        return gdi::swapSelected(dc->font, reinterpret_cast<FontObject*>(object));
    }
    return nullptr;
}

HDC GetDC(HWND /*window*/) { return &gdi::screenContext(); }

int ReleaseDC(HWND /*window*/, HDC dc) { return dc == &gdi::screenContext() ? 1 : 0; }

HDC CreateCompatibleDC(HDC /*dc*/) {
    auto* memory = new DeviceContext();
    gdi::initContext(*memory, DeviceContext::Kind::Memory, nullptr);
    return memory;
}

BOOL DeleteDC(HDC dc) {
    if (dc == nullptr || dc->kind != DeviceContext::Kind::Memory) {
        return FALSE;
    }
    gdi::clearContext(*dc);
    delete dc;
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    if (dc == nullptr || index != BITSPIXEL) {
        return 0;
    }
    if (dc->kind == DeviceContext::Kind::Surface) {
        return dc->surface->format->BitsPerPixel;
    }
    return backend().desktopBits();
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF previous = dc->textColour;
    dc->textColour = colour & 0x00FFFFFFu;
    return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF previous = dc->backColour;
    dc->backColour = colour & 0x00FFFFFFu;
    return previous;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    const SDL_Surface* s = gdi::target(dc);
    if (s == nullptr || x < 0 || y < 0 || x >= s->w || y >= s->h) {
        return CLR_INVALID;
    }
    return pixels::decode(s->format, pixels::readRaw(pixels::pixelAt(s, x, y), s->format->BytesPerPixel));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    SDL_Surface* s = gdi::target(dc);
    if (s == nullptr || x < 0 || y < 0 || x >= s->w || y >= s->h) {
        return CLR_INVALID;
    }
    const Uint32 raw = pixels::encode(s->format, colour);
    pixels::writeRaw(pixels::pixelAt(s, x, y), s->format->BytesPerPixel, raw);
    return pixels::decode(s->format, raw); // the colour the pixel really got
}

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
    if (rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    auto* brush = new BrushObject();
    brush->colour = colour & 0x00FFFFFFu;
    return brush;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (style != PS_SOLID && style != PS_NULL) {
        return nullptr;
    }
    auto* pen = new PenObject();
    pen->colour = colour & 0x00FFFFFFu;
    pen->width = width < 1 ? 1 : width;
    pen->hollow = style == PS_NULL;
    return pen;
}
