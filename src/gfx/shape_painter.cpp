// Filled shapes on the back buffer, each with its own brush and 2-pixel pen.
#include "gfx/shape_painter.h"

#include "gfx/back_buffer_dc.h"
#include "gfx/gdi_object.h"

namespace {

// Borrows the context, selects a fresh brush and pen, draws, and puts everything back.
template <typename Draw>
void paint(Display* display, COLORREF fill, COLORREF pen, Draw draw) {
    BackBufferDc dc(display);
    if (dc.get() == nullptr) {
        return;
    }
    const HBRUSH brush = CreateSolidBrush(fill);
    const HGDIOBJ keptBrush = SelectObject(dc.get(), gdiObject(brush));
    const HPEN outline = CreatePen(PS_SOLID, 2, pen);
    const HGDIOBJ keptPen = SelectObject(dc.get(), gdiObject(outline));
    draw(dc.get());
    SelectObject(dc.get(), keptPen);
    SelectObject(dc.get(), keptBrush);
    DeleteObject(gdiObject(brush));
    DeleteObject(gdiObject(outline));
}

} // namespace

void ShapePainter::attach(Display* target) { display = target; }

void ShapePainter::fillRect(int left, int top, int right, int bottom, COLORREF fill, COLORREF pen) {
    paint(display, fill, pen, [&](HDC dc) { Rectangle(dc, left, top, right, bottom); });
}

void ShapePainter::ellipse(int left, int top, int right, int bottom, COLORREF fill, COLORREF pen) {
    paint(display, fill, pen, [&](HDC dc) { Ellipse(dc, left, top, right, bottom); });
}

void ShapePainter::roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight, COLORREF fill,
                             COLORREF pen) {
    paint(display, fill, pen, [&](HDC dc) { RoundRect(dc, left, top, right, bottom, cornerWidth, cornerHeight); });
}

void ShapePainter::pie(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY,
                       COLORREF fill, COLORREF pen) {
    paint(display, fill, pen, [&](HDC dc) { Pie(dc, left, top, right, bottom, startX, startY, endX, endY); });
}

void ShapePainter::chord(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY,
                         COLORREF fill, COLORREF pen) {
    paint(display, fill, pen, [&](HDC dc) { Chord(dc, left, top, right, bottom, startX, startY, endX, endY); });
}

void ShapePainter::arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY,
                       COLORREF fill, COLORREF pen) {
    paint(display, fill, pen, [&](HDC dc) { Arc(dc, left, top, right, bottom, startX, startY, endX, endY); });
}

void ShapePainter::polygon(const POINT* points, int count, COLORREF fill, COLORREF pen) {
    paint(display, fill, pen, [&](HDC dc) { Polygon(dc, points, count); });
}

void ShapePainter::lineTo(int x, int y, COLORREF fill, COLORREF pen) {
    // A freshly borrowed context stands at (0, 0).
    paint(display, fill, pen, [&](HDC dc) { LineTo(dc, x, y); });
}

void ShapePainter::angleArc(int centreX, int centreY, DWORD radius, float startAngle, float sweepAngle, COLORREF pen) {
    paint(display, RGB(0, 0, 0), pen, [&](HDC dc) { AngleArc(dc, centreX, centreY, radius, startAngle, sweepAngle); });
}
