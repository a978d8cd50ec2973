// The curved and free shapes, lines and the current position, drawn by cairo without
// antialiasing on a scratch canvas whose inked pixels are then written in the target's format.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/ddraw/pixel_format.h"
#include "platform/gdi.h"
#include "platform/gdi/gdi_objects.h"

using namespace platform;

namespace {

struct Box {
    double left;
    double top;
    double right;
    double bottom;
};

class Canvas {
public:
    // A canvas over the part of the target that bounds (widened by the pen) covers.
    Canvas(DeviceContext* dc, Box bounds) : dc_(dc), target_(gdi::target(dc)) {
        if (target_ == nullptr) {
            return;
        }
        const int margin = penWidth() + 2;
        constexpr double Far = 1e6; // far enough outside any surface, near enough for int
        bounds = Box{std::clamp(bounds.left, -Far, Far), std::clamp(bounds.top, -Far, Far),
                     std::clamp(bounds.right, -Far, Far), std::clamp(bounds.bottom, -Far, Far)};
        const SDL_Rect wanted{static_cast<int>(std::floor(bounds.left)) - margin,
                              static_cast<int>(std::floor(bounds.top)) - margin,
                              static_cast<int>(std::ceil(bounds.right - bounds.left)) + 2 * margin + 1,
                              static_cast<int>(std::ceil(bounds.bottom - bounds.top)) + 2 * margin + 1};
        const SDL_Rect whole{0, 0, target_->w, target_->h};
        if (SDL_IntersectRect(&wanted, &whole, &area_) == SDL_FALSE) {
            return;
        }
        scratch_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, area_.w, area_.h);
        cr_ = cairo_create(scratch_);
        cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
        cairo_translate(cr_, -area_.x, -area_.y);
        // An odd pen width is centred on pixel centres, an even one on pixel edges.
        if (penWidth() % 2 == 1) {
            cairo_translate(cr_, 0.5, 0.5);
        }
        cairo_set_line_width(cr_, penWidth());
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
        cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    }
    ~Canvas() {
        if (cr_ != nullptr) {
            cairo_destroy(cr_);
        }
        if (scratch_ != nullptr) {
            cairo_surface_destroy(scratch_);
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool usable() const { return target_ != nullptr; }
    cairo_t* cr() const { return cr_; }

    // Fills the current path with the brush (when asked and there is one), strokes it with the
    // pen, and writes the inked pixels to the target.
    void inkPath(bool fill) {
        if (cr_ == nullptr) {
            return;
        }
        if (fill && dc_->brush != nullptr && !dc_->brush->hollow) {
            setColour(dc_->brush->colour);
            cairo_fill_preserve(cr_);
        }
        if (dc_->pen != nullptr && !dc_->pen->hollow) {
            setColour(dc_->pen->colour);
            cairo_stroke_preserve(cr_);
        }
        cairo_new_path(cr_);
        copyOut();
    }

private:
    int penWidth() const { return dc_->pen != nullptr ? dc_->pen->width : 1; }

    void setColour(COLORREF c) {
        cairo_set_source_rgb(cr_, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
    }

    void copyOut() {
        cairo_surface_flush(scratch_);
        const unsigned char* base = cairo_image_surface_get_data(scratch_);
        const int stride = cairo_image_surface_get_stride(scratch_);
        const int bytes = target_->format->BytesPerPixel;
        COLORREF lastColour = CLR_INVALID;
        Uint32 lastRaw = 0;
        for (int y = 0; y < area_.h; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * stride);
            for (int x = 0; x < area_.w; ++x) {
                const std::uint32_t argb = row[x];
                if ((argb >> 24) == 0) {
                    continue;
                }
                const COLORREF colour =
                    RGB(static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8), static_cast<BYTE>(argb));
                if (colour != lastColour) {
                    lastColour = colour;
                    lastRaw = pixels::encode(target_->format, colour);
                }
                pixels::writeRaw(pixels::pixelAt(target_, area_.x + x, area_.y + y), bytes, lastRaw);
            }
        }
    }

    DeviceContext* dc_;
    SDL_Surface* target_;
    SDL_Rect area_{};
    cairo_surface_t* scratch_ = nullptr;
    cairo_t* cr_ = nullptr;
};

// The ellipse inscribed in a GDI bounding box, whose outline runs through the box's first and
// last pixel rows and columns.
struct Oval {
    double cx;
    double cy;
    double rx;
    double ry;
};

Box outlineBox(int left, int top, int right, int bottom) {
    return Box{static_cast<double>(std::min(left, right)), static_cast<double>(std::min(top, bottom)),
               static_cast<double>(std::max(left, right) - 1), static_cast<double>(std::max(top, bottom) - 1)};
}

Oval ovalOf(const Box& b) {
    return Oval{(b.left + b.right) / 2, (b.top + b.bottom) / 2, (b.right - b.left) / 2, (b.bottom - b.top) / 2};
}

double angleTo(const Oval& o, int x, int y) {
    return std::atan2((y - o.cy) / std::max(o.ry, 0.5), (x - o.cx) / std::max(o.rx, 0.5));
}

// GDI draws arcs counter-clockwise as seen on the screen, which is the negative direction of
// y-down coordinates. Equal ends make the whole ellipse.
void arcPath(cairo_t* cr, const Oval& o, double from, double to) {
    if (o.rx <= 0 || o.ry <= 0) {
        return;
    }
    if (to == from) {
        to = from - 2 * std::numbers::pi;
    }
    cairo_save(cr);
    cairo_translate(cr, o.cx, o.cy);
    cairo_scale(cr, o.rx, o.ry);
    cairo_arc_negative(cr, 0, 0, 1, from, to);
    cairo_restore(cr);
}

enum class ArcKind { Open, Pie, Chord };

BOOL drawArc(HDC dc, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2, ArcKind kind) {
    const Box box = outlineBox(left, top, right, bottom);
    Canvas canvas(dc, box);
    if (!canvas.usable()) {
        return FALSE;
    }
    if (canvas.cr() == nullptr) {
        return TRUE;
    }
    const Oval o = ovalOf(box);
    cairo_t* cr = canvas.cr();
    if (kind == ArcKind::Pie) {
        cairo_move_to(cr, o.cx, o.cy);
    }
    arcPath(cr, o, angleTo(o, x1, y1), angleTo(o, x2, y2));
    if (kind != ArcKind::Open) {
        cairo_close_path(cr);
    }
    canvas.inkPath(kind != ArcKind::Open);
    return TRUE;
}

} // namespace

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    const Box box = outlineBox(left, top, right, bottom);
    Canvas canvas(dc, box);
    if (canvas.cr() != nullptr) {
        const Oval o = ovalOf(box);
        cairo_new_sub_path(canvas.cr());
        arcPath(canvas.cr(), o, 0, 0);
        cairo_close_path(canvas.cr());
        canvas.inkPath(true);
    }
    return canvas.usable() ? TRUE : FALSE;
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    const Box box = outlineBox(left, top, right, bottom);
    Canvas canvas(dc, box);
    if (canvas.cr() != nullptr) {
        cairo_t* cr = canvas.cr();
        const double rx = std::min(std::abs(cornerWidth) / 2.0, (box.right - box.left) / 2);
        const double ry = std::min(std::abs(cornerHeight) / 2.0, (box.bottom - box.top) / 2);
        if (rx <= 0 || ry <= 0) {
            cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
        } else {
            constexpr double Quarter = std::numbers::pi / 2;
            auto corner = [&](double cx, double cy, double from) {
                cairo_save(cr);
                cairo_translate(cr, cx, cy);
                cairo_scale(cr, rx, ry);
                cairo_arc(cr, 0, 0, 1, from, from + Quarter);
                cairo_restore(cr);
            };
            cairo_new_sub_path(cr);
            corner(box.right - rx, box.top + ry, -Quarter);
            corner(box.right - rx, box.bottom - ry, 0);
            corner(box.left + rx, box.bottom - ry, Quarter);
            corner(box.left + rx, box.top + ry, 2 * Quarter);
            cairo_close_path(cr);
        }
        canvas.inkPath(true);
    }
    return canvas.usable() ? TRUE : FALSE;
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    return drawArc(dc, left, top, right, bottom, x1, y1, x2, y2, ArcKind::Open);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    return drawArc(dc, left, top, right, bottom, x1, y1, x2, y2, ArcKind::Pie);
}

BOOL Chord(HDC dc, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    return drawArc(dc, left, top, right, bottom, x1, y1, x2, y2, ArcKind::Chord);
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
    if (points == nullptr || count < 2) {
        return FALSE;
    }
    Box box{1e9, 1e9, -1e9, -1e9};
    for (int i = 0; i < count; ++i) {
        box = Box{std::min<double>(box.left, points[i].x), std::min<double>(box.top, points[i].y),
                  std::max<double>(box.right, points[i].x), std::max<double>(box.bottom, points[i].y)};
    }
    Canvas canvas(dc, box);
    if (canvas.cr() != nullptr) {
        cairo_move_to(canvas.cr(), points[0].x, points[0].y);
        for (int i = 1; i < count; ++i) {
            cairo_line_to(canvas.cr(), points[i].x, points[i].y);
        }
        cairo_close_path(canvas.cr());
        canvas.inkPath(true);
    }
    return canvas.usable() ? TRUE : FALSE;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    if (dc == nullptr) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = dc->position;
    }
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    if (dc == nullptr) {
        return FALSE;
    }
    const POINT from = dc->position;
    dc->position = POINT{x, y};
    Canvas canvas(dc,
                  Box{static_cast<double>(std::min<LONG>(from.x, x)), static_cast<double>(std::min<LONG>(from.y, y)),
                      static_cast<double>(std::max<LONG>(from.x, x)), static_cast<double>(std::max<LONG>(from.y, y))});
    if (canvas.cr() != nullptr) {
        cairo_move_to(canvas.cr(), from.x, from.y);
        cairo_line_to(canvas.cr(), x, y);
        canvas.inkPath(false);
    }
    return canvas.usable() ? TRUE : FALSE;
}

BOOL AngleArc(HDC dc, int x, int y, DWORD radius, float startAngle, float sweepAngle) {
    if (dc == nullptr || radius > 0x7FFFFFFFu) {
        return FALSE;
    }
    // Angles run counter-clockwise on the screen from the positive x axis, in degrees.
    const double r = radius;
    const double start = startAngle * std::numbers::pi / 180;
    const double end = (startAngle + sweepAngle) * std::numbers::pi / 180;
    const POINT from = dc->position;
    dc->position = POINT{static_cast<LONG>(std::lround(x + r * std::cos(end))),
                         static_cast<LONG>(std::lround(y - r * std::sin(end)))};
    Box box{std::min<double>(x - r, from.x), std::min<double>(y - r, from.y), std::max<double>(x + r, from.x),
            std::max<double>(y + r, from.y)};
    Canvas canvas(dc, box);
    if (canvas.cr() != nullptr) {
        cairo_t* cr = canvas.cr();
        cairo_move_to(cr, from.x, from.y);
        if (sweepAngle >= 0) {
            cairo_arc_negative(cr, x, y, r, -start, -end);
        } else {
            cairo_arc(cr, x, y, r, -start, -end);
        }
        canvas.inkPath(false);
    }
    return canvas.usable() ? TRUE : FALSE;
}
