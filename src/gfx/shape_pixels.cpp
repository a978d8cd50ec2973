// Single pixels, straight runs and the integer line on the back buffer.
#include <cstdint>
#include <cstdlib>

#include "gfx/back_buffer_dc.h"
#include "gfx/shape_painter.h"

void ShapePainter::setPixel(int x, int y, COLORREF colour) {
    BackBufferDc dc(display);
    if (dc.get() != nullptr) {
        SetPixel(dc.get(), x, y, colour);
    }
}

COLORREF ShapePainter::getPixel(int x, int y) {
    BackBufferDc dc(display);
    return dc.get() != nullptr ? GetPixel(dc.get(), x, y) : CLR_INVALID;
}

void ShapePainter::vLine(int firstY, int lastY, int x, COLORREF colour) {
    BackBufferDc dc(display);
    if (dc.get() == nullptr) {
        return;
    }
    for (std::int64_t y = firstY; y <= lastY; ++y) {
        SetPixel(dc.get(), x, static_cast<int>(y), colour);
    }
}

void ShapePainter::hLine(int firstX, int lastX, int y, COLORREF colour) {
    BackBufferDc dc(display);
    if (dc.get() == nullptr) {
        return;
    }
    for (std::int64_t x = lastX; x >= firstX; --x) {
        SetPixel(dc.get(), static_cast<int>(x), y, colour);
    }
}

void ShapePainter::line(int x1, int y1, int x2, int y2, COLORREF colour) {
    BackBufferDc dc(display);
    if (dc.get() == nullptr) {
        return;
    }
    // Wide arithmetic: the distance between two far-apart ints does not fit an int.
    const std::int64_t dx = std::llabs(std::int64_t{x2} - x1);
    const std::int64_t dy = std::llabs(std::int64_t{y2} - y1);
    const int sx = x2 < x1 ? -1 : 1;
    const int sy = y2 < y1 ? -1 : 1;
    std::int64_t x = x1;
    std::int64_t y = y1;
    std::int64_t err = 0;
    if (dx > dy) {
        // Shallow: the first vertical step comes once the error passes dx.
        for (std::int64_t i = 0; i <= dx; ++i) {
            SetPixel(dc.get(), static_cast<int>(x), static_cast<int>(y), colour);
            x += sx;
            err += dy;
            if (err > dx) {
                err -= dx;
                y += sy;
            }
        }
    } else {
        // Steep (or a single point): the first horizontal step comes as soon as there is error.
        for (std::int64_t i = 0; i <= dy; ++i) {
            SetPixel(dc.get(), static_cast<int>(x), static_cast<int>(y), colour);
            y += sy;
            err += dx;
            if (err > 0) {
                err -= dy;
                x += sx;
            }
        }
    }
}
