// GDI objects and device contexts behind the handles of gdi.h. Internal to the platform.
#pragma once

#include <SDL.h>

#include <type_traits>

#include "platform/win_types.h"

namespace platform::gdi {
class FontFace;
}

// The common head of every object. Handles of each kind point at their object, whose first
// member is this head, so a handle converts to HGDIOBJ and back by reinterpret_cast.
struct GdiObject {
    enum class Kind { Bitmap, Brush, Pen, Font };
    Kind kind;
    int refs = 1;       // the owner's reference, plus one per device context it is selected into
    bool stock = false; // never freed
    bool deleted = false;
};

struct BitmapObject {
    GdiObject head{GdiObject::Kind::Bitmap};
    SDL_Surface* pixels = nullptr;
};

struct BrushObject {
    GdiObject head{GdiObject::Kind::Brush};
    COLORREF colour = 0;
    bool hollow = false;
};

struct PenObject {
    GdiObject head{GdiObject::Kind::Pen};
    COLORREF colour = 0;
    int width = 1;
    bool hollow = false;
};

struct FontObject {
    GdiObject head{GdiObject::Kind::Font};
    platform::gdi::FontFace* face = nullptr;
    bool underline = false;
    bool strikeOut = false;
};

static_assert(std::is_standard_layout_v<BitmapObject> && std::is_standard_layout_v<BrushObject> &&
              std::is_standard_layout_v<PenObject> && std::is_standard_layout_v<FontObject>);

struct DeviceContext {
    enum class Kind { Screen, Memory, Surface };
    Kind kind = Kind::Screen;
    SDL_Surface* surface = nullptr; // the pixels behind a surface context
    BitmapObject* bitmap = nullptr; // selected into a memory context
    BrushObject* brush = nullptr;
    PenObject* pen = nullptr;
    FontObject* font = nullptr;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backColour = RGB(255, 255, 255);
    POINT position{0, 0};
};

namespace platform::gdi {

// A context with GDI's defaults: white brush, black pen, the system font, black text on white,
// current position (0, 0); a memory context starts with a 1 by 1 bitmap.
void initContext(DeviceContext& dc, DeviceContext::Kind kind, SDL_Surface* surface);
// Deselects everything, so that objects deleted while selected are freed now.
void clearContext(DeviceContext& dc);

// Where the context draws, or null (the screen context draws nowhere).
SDL_Surface* target(const DeviceContext* dc);

void retain(GdiObject* object);
void release(GdiObject* object);

template <class T>
GdiObject* head(T* object) {
    return reinterpret_cast<GdiObject*>(object);
}
template <class T>
T* as(GdiObject* object, GdiObject::Kind kind) {
    return object != nullptr && object->kind == kind ? reinterpret_cast<T*>(object) : nullptr;
}

FontObject* systemFont(); // null when no font can be found at all

} // namespace platform::gdi
