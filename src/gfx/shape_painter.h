// Filled GDI shapes and single pixels on the back buffer.
#pragma once

#include "gfx/display.h"
#include "platform/gdi.h"

class ShapePainter {
public:
    Display* display = nullptr;

    void attach(Display* target);

    void fillRect(int left, int top, int right, int bottom, COLORREF fill, COLORREF pen);
    void ellipse(int left, int top, int right, int bottom, COLORREF fill, COLORREF pen);
    void roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight, COLORREF fill,
                   COLORREF pen);
    void pie(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY, COLORREF fill,
             COLORREF pen);
    void chord(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY, COLORREF fill,
               COLORREF pen);
    void arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY, COLORREF fill,
             COLORREF pen);
    void polygon(const POINT* points, int count, COLORREF fill, COLORREF pen);
    void lineTo(int x, int y, COLORREF fill, COLORREF pen);
    void angleArc(int centreX, int centreY, DWORD radius, float startAngle, float sweepAngle, COLORREF pen);

    void setPixel(int x, int y, COLORREF colour);
    COLORREF getPixel(int x, int y);
    void vLine(int firstY, int lastY, int x, COLORREF colour);
    void hLine(int firstX, int lastX, int y, COLORREF colour);
    void line(int x1, int y1, int x2, int y2, COLORREF colour);
};
