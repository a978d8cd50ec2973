// Mugs: full with foam, empty, and broken at either end of the bar.
#include "canvas.h"
#include "figure.h"
#include "layout.h"
#include "palette.h"
#include "pictures.h"

namespace assetgen {

namespace {

// A glass mug standing with its base on row `base`, body from x to x + 24, handle on the right.
void drawMug(Pen& pen, double x, double base, bool full) {
    const double top = base - 36;
    pen.limb(x + 24, top + 8, x + 30, top + 10, 4, pal::glass1); // handle
    pen.limb(x + 30, top + 10, x + 30, top + 26, 4, pal::glass1);
    pen.limb(x + 30, top + 26, x + 24, top + 28, 4, pal::glass1);
    pen.rect(x, top, 24, 36, full ? pal::beer1 : pal::glass0);
    if (full) {
        pen.detail(x + 2, top + 4, 20, 28, pal::beer2);
        pen.detail(x + 3, top + 5, 4, 26, pal::beer3); // light through the glass
        pen.detail(x + 18, top + 4, 4, 28, pal::beer0);
        for (int i = 0; i < 5; ++i) pen.detail(x + 9 + (i * 5) % 9, top + 8 + i * 5, 2, 2, pal::beer3);
    } else {
        pen.detail(x + 2, top + 2, 20, 30, pal::glass1);
        pen.detail(x + 2, top + 24, 20, 8, pal::beer2); // the last sip
        pen.detail(x + 2, top + 24, 20, 1, pal::foam0);
        pen.detail(x + 2, top + 4, 20, 2, pal::foam0); // foam ring left behind
        pen.detail(x + 18, top + 2, 4, 22, pal::glass0);
    }
    pen.detail(x + 3, top + 3, 2, 26, pal::glass2); // glint on the lit side
    pen.detail(x + 8, top, 1, 36, pal::glass1);     // glass facets
    pen.detail(x + 15, top, 1, 36, full ? pal::beer1 : pal::glass0);
    pen.rect(x - 1, base - 4, 26, 4, pal::glass1); // thick base
    pen.detail(x - 1, base - 4, 26, 1, pal::glass2);
    if (full) { // foam spilling over the rim
        pen.ellipse(x + 6, top - 1, 7, 5, pal::foam1);
        pen.ellipse(x + 15, top - 3, 8, 6, pal::foam1);
        pen.ellipse(x + 21, top, 5, 4, pal::foam1);
        pen.rect(x - 2, top, 28, 5, pal::foam1);
        pen.rect(x + 20, top + 4, 3, 7, pal::foam1); // drip
        pen.detail(x + 4, top + 2, 18, 2, pal::foam0);
        pen.detail(x + 10, top - 7, 5, 2, rgb(255, 255, 250));
    }
}

void shard(Pen& pen, Canvas& cv, double x, double y, double dx, double dy, Rgb c) {
    if (pen.outlinePass()) {
        cv.poly({{x - 1, y - 1}, {x + dx + 1, y + dy * 0.3}, {x + dx * 0.4, y + dy + 1}}, pal::outline);
    } else {
        cv.poly({{x, y}, {x + dx, y + dy * 0.3}, {x + dx * 0.4, y + dy}}, c);
    }
}

// A mug that flew off the far end: glass bursting in the air, beer splashing.
void drawFarBreak(Pen& pen, Canvas& cv) {
    const double ox = 0, oy = 54;
    pen.ellipse(ox + 26, oy + 30, 18, 12, pal::beer2);
    pen.ellipse(ox + 14, oy + 22, 8, 7, pal::beer1);
    pen.ellipse(ox + 40, oy + 20, 7, 6, pal::beer1);
    pen.ellipse(ox + 24, oy + 15, 10, 6, pal::foam1);
    pen.detail(ox + 18, oy + 26, 14, 6, pal::beer3);
    for (auto [x, y] : {std::pair{4.0, 6.0}, {48.0, 8.0}, {50.0, 36.0}, {6.0, 40.0}, {30.0, 3.0}})
        pen.ellipse(ox + x, oy + y, 2.5, 2.5, pal::beer2);
    shard(pen, cv, ox + 6, oy + 14, 9, -8, pal::glass2);
    shard(pen, cv, ox + 40, oy + 6, 8, 7, pal::glass1);
    shard(pen, cv, ox + 44, oy + 34, 8, 9, pal::glass2);
    shard(pen, cv, ox + 10, oy + 38, -7, 8, pal::glass1);
    shard(pen, cv, ox + 28, oy + 40, 6, 8, pal::glass2);
    pen.limb(ox + 34, oy + 28, ox + 40, oy + 36, 4, pal::glass1); // the handle, still whole
    pen.limb(ox + 40, oy + 36, ox + 34, oy + 42, 4, pal::glass1);
}

// A mug smashed on the floor at the bartender's end: shards in a puddle.
void drawNearBreak(Pen& pen, Canvas& cv) {
    const double ox = 59, oy = 55;
    pen.ellipse(ox + 37, oy + 46, 34, 7, pal::beer1);
    pen.detail(ox + 14, oy + 43, 40, 3, pal::beer2);
    pen.detail(ox + 20, oy + 42, 12, 1, pal::beer3);
    pen.ellipse(ox + 30, oy + 43, 7, 3, pal::foam1);
    pen.ellipse(ox + 52, oy + 47, 5, 2, pal::foam1);
    // The bottom of the mug still standing, jagged.
    if (pen.outlinePass()) {
        cv.poly({{ox + 23, oy + 47},
                 {ox + 23, oy + 27},
                 {ox + 28, oy + 33},
                 {ox + 33, oy + 22},
                 {ox + 38, oy + 34},
                 {ox + 43, oy + 25},
                 {ox + 48, oy + 31},
                 {ox + 48, oy + 47}},
                pal::outline);
    }
    if (!pen.outlinePass()) {
        cv.poly({{ox + 24, oy + 46},
                 {ox + 24, oy + 29},
                 {ox + 28, oy + 35},
                 {ox + 33, oy + 24},
                 {ox + 38, oy + 36},
                 {ox + 43, oy + 27},
                 {ox + 47, oy + 33},
                 {ox + 47, oy + 46}},
                pal::glass1);
        cv.rect(ox + 26, oy + 38, 19, 6, pal::beer2);
        cv.rect(ox + 26, oy + 30, 2, 12, pal::glass2);
    }
    pen.rect(ox + 22, oy + 44, 27, 3, pal::glass1);
    shard(pen, cv, ox + 4, oy + 38, 10, 7, pal::glass2);
    shard(pen, cv, ox + 56, oy + 36, 9, 9, pal::glass1);
    shard(pen, cv, ox + 12, oy + 22, 7, 10, pal::glass1);
    shard(pen, cv, ox + 62, oy + 20, -6, 10, pal::glass2);
    shard(pen, cv, ox + 38, oy + 8, 6, 9, pal::glass2);
    pen.limb(ox + 60, oy + 40, ox + 66, oy + 42, 4, pal::glass1); // the handle, broken off
    pen.limb(ox + 66, oy + 42, ox + 68, oy + 50, 4, pal::glass1);
    pen.detail(ox + 9, oy + 6, 2, 2, pal::glass2); // flying splinters
    pen.detail(ox + 70, oy + 8, 2, 2, pal::glass2);
    pen.detail(ox + 50, oy + 2, 2, 2, pal::beer2);
}

} // namespace

Image drawBeer() {
    Image img(136, 112, pal::kGreenKey);
    for (int pass = 0; pass < 2; ++pass) {
        Canvas cv(img);
        Pen pen(cv, pass == 0);
        drawMug(pen, 2, layout::kMugBase + 1, true); // full: cells 0..40 x 0..52
        drawMug(pen, 45, 47, false);                 // empty: cells 36..81 x 0..48
        drawFarBreak(pen, cv);                       // 0..59 x 54..104
        drawNearBreak(pen, cv);                      // 55..133 x 55..111
    }
    // Keep each picture inside its own cell: clear the shared columns between them.
    img.fill(36, 0, 5, 52, pal::kGreenKey);
    img.fill(55, 54, 4, 50, pal::kGreenKey);
    snapToKey(img, pal::kGreenKey, kKeyTolerance);
    return img;
}

} // namespace assetgen
