// Fonts and text: CreateFontA, TextOutA with its opaque cell, DrawTextA for edit-control text.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/core/system.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/gdi.h"
#include "platform/gdi/font_face.h"
#include "platform/gdi/font_info.h"
#include "platform/gdi/gdi_objects.h"

using namespace platform;

namespace {

SDL_Rect intersect(const SDL_Rect& a, const SDL_Rect& b) {
    SDL_Rect out{};
    if (SDL_IntersectRect(&a, &b, &out) == SDL_FALSE) {
        return SDL_Rect{0, 0, 0, 0};
    }
    return out;
}

void fill(SDL_Surface* s, const SDL_Rect& clip, int x, int y, int w, int h, Uint32 raw) {
    const SDL_Rect area = intersect(clip, SDL_Rect{x, y, w, h});
    pixels::fill(s, area.x, area.y, area.w, area.h, raw);
}

void drawGlyph(SDL_Surface* s, const SDL_Rect& clip, const gdi::Glyph& g, int penX, int baseline, Uint32 raw) {
    const int left = penX + g.left;
    const int top = baseline - g.top;
    const int x0 = std::max(left, clip.x);
    const int x1 = std::min(left + g.width, clip.x + clip.w);
    const int y0 = std::max(top, clip.y);
    const int y1 = std::min(top + g.rows, clip.y + clip.h);
    if (x0 >= x1) {
        return;
    }
    const int bytes = s->format->BytesPerPixel;
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* mask = g.mask.data() + static_cast<std::ptrdiff_t>(y - top) * g.width + (x0 - left);
        Uint8* out = pixels::pixelAt(s, x0, y);
        for (int x = x0; x < x1; ++x, ++mask, out += bytes) {
            if (*mask != 0) {
                pixels::writeRaw(out, bytes, raw);
            }
        }
    }
}

// One line of text with its cell filled in the background colour, clipped to clip.
void drawLine(const DeviceContext& dc, SDL_Surface* s, FontObject& font, int x, int y, const char* text, int count,
              const SDL_Rect& clip) {
    gdi::FontFace& face = *font.face;
    const int extent = face.extent(text, count);
    const int cell = face.cellHeight();
    const int baseline = y + face.ascent();
    fill(s, clip, x, y, extent, cell, pixels::encode(s->format, dc.backColour));
    const Uint32 ink = pixels::encode(s->format, dc.textColour);
    int penX = x;
    for (int i = 0; i < count; ++i) {
        const gdi::Glyph& g = face.glyph(static_cast<unsigned char>(text[i]));
        drawGlyph(s, clip, g, penX, baseline, ink);
        penX += g.advance;
    }
    if (font.underline) {
        fill(s, clip, x, baseline + face.underlineOffset(), extent, face.underlineThickness(), ink);
    }
    if (font.strikeOut) {
        fill(s, clip, x, baseline - face.strikeOffset(), extent, face.strikeThickness(), ink);
    }
}

FontObject* fontOf(const DeviceContext* dc) {
    FontObject* font = dc->font != nullptr ? dc->font : gdi::systemFont();
    return font != nullptr && font->face != nullptr ? font : nullptr;
}

} // namespace

namespace platform::gdi {

bool describeFont(HFONT font, FontInfo* info) {
    if (font == nullptr || font->face == nullptr || info == nullptr) {
        return false;
    }
    info->family = font->face->family();
    info->ppem = font->face->ppem();
    info->ascent = font->face->ascent();
    info->cellHeight = font->face->cellHeight();
    return true;
}

} // namespace platform::gdi

HFONT CreateFontA(int height, int /*width*/, int /*escapement*/, int /*orientation*/, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD /*charSet*/, DWORD /*outPrecision*/, DWORD /*clipPrecision*/,
                  DWORD /*quality*/, DWORD /*pitchAndFamily*/, const char* face) {
    // Every quality is drawn without antialiasing: crisp pixels at every depth, palette included.
    sys::trace("CreateFontA " + std::string(face != nullptr ? face : "") + " " + std::to_string(height));
    gdi::FontFace* loaded = gdi::FontFace::open(face, height, weight, italic != 0);
    if (loaded == nullptr) {
        return nullptr;
    }
    auto* font = new FontObject();
    font->face = loaded;
    font->underline = underline != 0;
    font->strikeOut = strikeOut != 0;
    return font;
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int count) {
    SDL_Surface* s = gdi::target(dc);
    FontObject* font = s != nullptr ? fontOf(dc) : nullptr;
    if (font == nullptr || count < 0 || (text == nullptr && count > 0)) {
        return FALSE;
    }
    drawLine(*dc, s, *font, x, y, text, count, SDL_Rect{0, 0, s->w, s->h});
    return TRUE;
}

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT /*format*/) {
    SDL_Surface* s = gdi::target(dc);
    FontObject* font = s != nullptr ? fontOf(dc) : nullptr;
    if (font == nullptr || text == nullptr || rect == nullptr) {
        return 0;
    }
    if (count < 0) {
        count = static_cast<int>(std::strlen(text));
    }
    const int cell = font->face->cellHeight();
    const SDL_Rect clip =
        intersect(SDL_Rect{0, 0, s->w, s->h},
                  SDL_Rect{rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top});
    int lineTop = rect->top;
    int lines = 0;
    const char* end = text + count;
    for (const char* line = text; line <= end; ++lines, lineTop += cell) {
        const char* stop = line;
        while (stop < end && *stop != '\n' && *stop != '\r') {
            ++stop;
        }
        // As in an edit control, a line that would show only in part is not drawn.
        if (lineTop + cell <= rect->bottom && clip.w > 0) {
            drawLine(*dc, s, *font, rect->left, lineTop, line, static_cast<int>(stop - line), clip);
        }
        if (stop == end) {
            ++lines;
            break;
        }
        line = stop + ((stop[0] == '\r' && stop + 1 < end && stop[1] == '\n') ? 2 : 1);
    }
    return lines * cell;
}
