// Rectangle: the game's one shape, drawn every frame, so plain fills rather than a path.
#include <algorithm>
#include <utility>

#include "platform/ddraw/pixel_format.h"
#include "platform/gdi.h"
#include "platform/gdi/gdi_objects.h"

using namespace platform;

namespace {

void fillSpan(SDL_Surface* s, int left, int top, int right, int bottom, Uint32 raw) {
    if (right > left && bottom > top) {
        pixels::fill(s, left, top, right - left, bottom - top, raw);
    }
}

} // namespace

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    SDL_Surface* s = gdi::target(dc);
    if (s == nullptr) {
        return FALSE;
    }
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    const BrushObject* brush = dc->brush;
    const PenObject* pen = dc->pen;
    const bool filled = brush != nullptr && !brush->hollow;
    const bool outlined = pen != nullptr && !pen->hollow;
    if (!outlined) {
        // Without a pen the fill alone covers [left, right - 1) by [top, bottom - 1).
        if (filled) {
            fillSpan(s, left, top, right - 1, bottom - 1, pixels::encode(s->format, brush->colour));
        }
        return TRUE;
    }
    // The pen is centred on the outline (left, top) to (right - 1, bottom - 1): a pen of width 2
    // covers [left - 1, right) by [top - 1, bottom) and the brush fills [left + 1, right - 2) by
    // [top + 1, bottom - 2).
    const int w = pen->width;
    const int outerLeft = left - w / 2;
    const int outerTop = top - w / 2;
    const int outerRight = right - 1 - w / 2 + w;
    const int outerBottom = bottom - 1 - w / 2 + w;
    const Uint32 ink = pixels::encode(s->format, pen->colour);
    if (filled && brush->colour == pen->colour) {
        fillSpan(s, outerLeft, outerTop, outerRight, outerBottom, ink);
        return TRUE;
    }
    if (filled) {
        fillSpan(s, outerLeft + w, outerTop + w, outerRight - w, outerBottom - w,
                 pixels::encode(s->format, brush->colour));
    }
    const int innerTop = std::min(outerTop + w, outerBottom);
    const int innerBottom = std::max(outerBottom - w, innerTop);
    fillSpan(s, outerLeft, outerTop, outerRight, innerTop, ink);
    fillSpan(s, outerLeft, innerBottom, outerRight, outerBottom, ink);
    fillSpan(s, outerLeft, innerTop, std::min(outerLeft + w, outerRight), innerBottom, ink);
    fillSpan(s, std::max(outerRight - w, outerLeft), innerTop, outerRight, innerBottom, ink);
    return TRUE;
}
