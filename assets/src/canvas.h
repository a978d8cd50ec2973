// Hard-edged drawing on an Image through cairo: antialiasing is always off,
// so every pixel gets exactly one of the colours asked for.
#pragma once

#include <initializer_list>
#include <utility>

#include "image.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace assetgen {

struct Pt {
    double x, y;
};

class Canvas {
public:
    explicit Canvas(Image& img);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Shift every later drawing by (dx, dy).
    void origin(double dx, double dy);
    // Mirror left-right around x = axis for later drawings (figures facing the other way).
    void mirror(double axis);
    // Scale every later drawing by factor, around the current origin.
    void scale(double factor);
    void reset();

    void rect(double x, double y, double w, double h, Rgb c);
    void ellipse(double cx, double cy, double rx, double ry, Rgb c);
    void poly(std::initializer_list<Pt> pts, Rgb c);
    // A thick stroke with round ends: limbs, rails, outlines.
    void line(double x0, double y0, double x1, double y1, double width, Rgb c);
    void ring(double cx, double cy, double rx, double ry, double width, Rgb c);

private:
    void source(Rgb c);
    void ellipsePath(double cx, double cy, double rx, double ry);
    Image& img_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

} // namespace assetgen
