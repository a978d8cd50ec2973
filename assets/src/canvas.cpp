#include "canvas.h"

#include <cairo.h>

namespace assetgen {

Canvas::Canvas(Image& img) : img_(img) {
    surface_ = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(img.pixels.data()),
                                                   CAIRO_FORMAT_RGB24, img.width, img.height, img.width * 4);
    cairo_surface_mark_dirty(surface_);
    cr_ = cairo_create(surface_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_flush(surface_);
    cairo_surface_destroy(surface_);
    // RGB24 leaves the top byte undefined; keep pixels comparable.
    for (auto& p : img_.pixels) p &= 0xFFFFFF;
}

void Canvas::origin(double dx, double dy) { cairo_translate(cr_, dx, dy); }

void Canvas::mirror(double axis) {
    cairo_translate(cr_, axis, 0);
    cairo_scale(cr_, -1, 1);
    cairo_translate(cr_, -axis, 0);
}

void Canvas::scale(double factor) { cairo_scale(cr_, factor, factor); }

void Canvas::reset() { cairo_identity_matrix(cr_); }

void Canvas::source(Rgb c) { cairo_set_source_rgb(cr_, red(c) / 255.0, green(c) / 255.0, blue(c) / 255.0); }

void Canvas::rect(double x, double y, double w, double h, Rgb c) {
    source(c);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
}

void Canvas::ellipsePath(double cx, double cy, double rx, double ry) {
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_scale(cr_, rx, ry);
    cairo_arc(cr_, 0, 0, 1, 0, 6.283185307179586);
    cairo_restore(cr_);
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, Rgb c) {
    if (rx <= 0 || ry <= 0) return;
    source(c);
    ellipsePath(cx, cy, rx, ry);
    cairo_fill(cr_);
}

void Canvas::ring(double cx, double cy, double rx, double ry, double width, Rgb c) {
    source(c);
    ellipsePath(cx, cy, rx, ry);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
}

void Canvas::poly(std::initializer_list<Pt> pts, Rgb c) {
    source(c);
    bool first = true;
    for (const Pt& p : pts) {
        if (first) cairo_move_to(cr_, p.x, p.y);
        else cairo_line_to(cr_, p.x, p.y);
        first = false;
    }
    cairo_close_path(cr_);
    cairo_fill(cr_);
}

void Canvas::line(double x0, double y0, double x1, double y1, double width, Rgb c) {
    source(c);
    cairo_set_line_width(cr_, width);
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    cairo_stroke(cr_);
}

} // namespace assetgen
