#include "figure.h"

#include "palette.h"

namespace assetgen {

void Pen::rect(double x, double y, double w, double h, Rgb c) {
    if (outline_) cv_.rect(x - 1, y - 1, w + 2, h + 2, pal::outline);
    else cv_.rect(x, y, w, h, c);
}

void Pen::ellipse(double cx, double cy, double rx, double ry, Rgb c) {
    if (outline_) cv_.ellipse(cx, cy, rx + 1, ry + 1, pal::outline);
    else cv_.ellipse(cx, cy, rx, ry, c);
}

void Pen::limb(double x0, double y0, double x1, double y1, double w, Rgb c) {
    if (outline_) cv_.line(x0, y0, x1, y1, w + 2, pal::outline);
    else cv_.line(x0, y0, x1, y1, w, c);
}

void Pen::frontLimb(double x0, double y0, double x1, double y1, double w, Rgb c) {
    cv_.line(x0, y0, x1, y1, w + 2, pal::outline);
    if (!outline_) cv_.line(x0, y0, x1, y1, w, c);
}

void Pen::frontEllipse(double cx, double cy, double rx, double ry, Rgb c) {
    cv_.ellipse(cx, cy, rx + 1, ry + 1, pal::outline);
    if (!outline_) cv_.ellipse(cx, cy, rx, ry, c);
}

void Pen::detail(double x, double y, double w, double h, Rgb c) {
    if (!outline_) cv_.rect(x, y, w, h, c);
}

void Pen::detailLine(double x0, double y0, double x1, double y1, double w, Rgb c) {
    if (!outline_) cv_.line(x0, y0, x1, y1, w, c);
}

static void drawHat(Pen& pen, double cx, double top, const HeadStyle& s) {
    const Rgb c = s.hatColour, dark = shade(c, 0.65), lit = shade(c, 1.35);
    switch (s.hat) {
    case Hat::None:
        break;
    case Hat::Bowler:
        pen.ellipse(cx, top + 4, 9, 8, c);
        pen.rect(cx - 13, top + 6, 26, 3, dark);
        pen.detail(cx - 5, top - 1, 4, 2, lit);
        pen.detail(cx - 9, top + 4, 18, 2, pal::red0); // band
        break;
    case Hat::Cowboy:
        pen.ellipse(cx, top + 7, 17, 3, dark);
        pen.rect(cx - 8, top - 5, 16, 12, c);
        pen.detail(cx - 2, top - 5, 4, 3, dark); // crease
        pen.detail(cx - 8, top + 3, 16, 2, pal::wood1);
        pen.detail(cx - 7, top - 4, 2, 7, lit);
        break;
    case Hat::TopHat:
        pen.rect(cx - 8, top - 20, 16, 26, c);
        pen.rect(cx - 13, top + 5, 26, 3, c);
        pen.detail(cx - 8, top - 1, 16, 3, pal::red1); // band
        pen.detail(cx - 7, top - 19, 2, 17, lit);
        break;
    case Hat::Beanie:
        pen.ellipse(cx, top + 5, 10, 9, c);
        pen.rect(cx - 10, top + 5, 20, 4, dark);
        pen.ellipse(cx - 1, top - 5, 3, 3, pal::white1);
        pen.detail(cx - 6, top, 3, 4, lit);
        break;
    case Hat::FlatCap:
        pen.ellipse(cx - 1, top + 4, 10, 6, c);
        pen.rect(cx + 4, top + 6, 10, 3, dark); // peak to the front
        pen.detail(cx - 7, top + 1, 5, 2, lit);
        break;
    }
}

void drawHead(Pen& pen, double cx, double top, const HeadStyle& s, Face face) {
    const Rgb skinDark = shade(s.skin, 0.78), skinLit = shade(s.skin, 1.12);
    const Rgb hairLit = shade(s.hair, 1.4);
    // Hair behind the head.
    if (s.hairKind == Hair::Long) pen.rect(cx - 10, top + 2, 12, 28, s.hair);
    if (s.hairKind == Hair::Curly) pen.ellipse(cx - 2, top + 9, 13, 12, s.hair);
    pen.rect(cx - 2, top + 20, 6, 5, skinDark); // neck
    pen.ellipse(cx, top + 11, 9, 11, s.skin);
    pen.rect(cx + 7, top + 9, 4, 5, s.skin);    // nose
    pen.detail(cx - 5, top + 4, 3, 6, skinLit); // lit from the left
    pen.detail(cx + 9, top + 13, 2, 1, skinDark);
    pen.detail(cx - 4, top + 10, 3, 4, skinDark); // ear
    // Hair on top.
    switch (s.hairKind) {
    case Hair::Bald:
        pen.detail(cx - 9, top + 7, 4, 7, s.hair);
        pen.detail(cx - 2, top + 1, 4, 2, pal::white1); // shine
        break;
    case Hair::Fringe:
        pen.detail(cx - 9, top + 6, 5, 9, s.hair);
        pen.detail(cx - 6, top + 1, 10, 3, s.hair);
        break;
    case Hair::Short:
    case Hair::Long:
        pen.detail(cx - 9, top, 16, 5, s.hair);
        pen.detail(cx - 9, top + 4, 5, 8, s.hair);
        pen.detail(cx - 6, top, 6, 1, hairLit);
        break;
    case Hair::Curly:
        for (int i = 0; i < 4; ++i) pen.detail(cx - 9 + i * 4, top - 1 + (i % 2), 3, 3, hairLit);
        break;
    }
    if (s.beard) {
        pen.detail(cx - 2, top + 14, 11, 8, s.hair);
        pen.detail(cx - 6, top + 12, 5, 8, s.hair);
    }
    // Eye and brow.
    const bool closed = face == Face::Drinking || face == Face::Smile;
    if (closed) pen.detail(cx + 3, top + 9, 4, 1, pal::outline);
    else {
        pen.detail(cx + 3, top + 7, 3, 4, pal::white1);
        pen.detail(cx + 5, top + 8, 2, 3, pal::outline);
    }
    if (face == Face::Dismayed) pen.detail(cx + 2, top + 3, 5, 1, pal::outline);
    else pen.detail(cx + 2, top + 5, 5, 1, shade(s.hair, 0.8));
    // Mouth.
    switch (face) {
    case Face::Calm:
        pen.detail(cx + 4, top + 17, 4, 1, skinDark);
        break;
    case Face::Drinking:
        break;
    case Face::Smile:
        pen.detail(cx + 3, top + 16, 6, 2, pal::red0);
        pen.detail(cx + 4, top + 16, 4, 1, pal::white1);
        break;
    case Face::Open:
    case Face::Dismayed:
        pen.detail(cx + 4, top + 15, 4, 4, pal::red0);
        break;
    }
    if (s.mustache) {
        pen.detail(cx + 2, top + 14, 9, 2, s.hair);
        pen.detail(cx + 1, top + 15, 2, 2, s.hair);
    }
    drawHat(pen, cx, top, s);
}

} // namespace assetgen
