// The pub: back wall, three counters with doors at their far ends, the bartender's end at the left.
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "layout.h"
#include "palette.h"
#include "pictures.h"
#include "rng.h"

namespace assetgen {

namespace {

using layout::Bar;
using layout::kBars;

struct Lamp {
    int x, y;
    double strength, reach;
};
constexpr Lamp kLamps[] = {
    {260, 14, 0.55, 120}, {470, 14, 0.55, 120}, {360, 250, 0.45, 90}, {560, 410, 0.45, 90}, {230, 410, 0.45, 90},
};

bool inHudArea(int x, int y) {
    return x >= layout::kHudLeft - 4 && x < layout::kHudRight + 6 && y >= layout::kHudTop - 4 &&
           y < layout::kHudBottom + 6;
}

double wallLight(int x, int y) {
    // Light comes from the upper left; lamps add warm pools.
    double l = 0.42 - 0.18 * (x / 800.0) - 0.12 * (y / 600.0);
    for (const Lamp& lamp : kLamps) {
        double d = std::hypot(x - lamp.x, (y - lamp.y) * 1.3);
        l += lamp.strength * std::exp(-(d * d) / (2 * lamp.reach * lamp.reach));
    }
    return std::clamp(l, 0.0, 0.999);
}

void drawWall(Image& img) {
    constexpr Rgb shades[] = {pal::wall0, pal::wall1, pal::wall2, pal::wall3};
    Rng rng(11);
    int plankShift[40];
    for (int& s : plankShift) s = rng.range(-1, 1);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const int plank = x / 20;
            if (inHudArea(x, y)) {
                img.set(x, y, x % 20 == 0 ? pal::wall0 : pal::wall1);
                continue;
            }
            double level = wallLight(x, y) * 3.0 + 0.03 * plankShift[plank % 40];
            int base = std::clamp(static_cast<int>(level), 0, 2);
            Rgb c = ditherOn(x, y, level - base) ? shades[base + 1] : shades[base];
            if (x % 20 == 0) c = pal::wall0;          // plank seam
            else if (x % 20 == 1) c = shade(c, 1.18); // lit edge of the next plank
            img.set(x, y, c);
        }
    // Crown moulding along the ceiling.
    img.fill(0, 0, 800, 6, pal::wood1);
    img.fill(0, 6, 800, 2, pal::wood3);
    img.fill(0, 8, 800, 2, pal::wall0);
}

void drawShelf(Image& img) {
    Canvas cv(img);
    const int y = 40;
    cv.rect(156, y, 470, 4, pal::wood4);
    cv.rect(156, y, 470, 1, pal::wood5);
    cv.rect(156, y + 4, 470, 2, pal::wood1);
    for (int bx : {170, 330, 490, 610}) {
        cv.rect(bx, y + 6, 3, 8, pal::wood1);
        cv.rect(bx, y + 6, 1, 8, pal::brass1);
    }
    Rng rng(5);
    constexpr Rgb bottleColours[] = {pal::olive0, pal::red0, pal::brass0, pal::blue0, pal::wood2, pal::purple0};
    for (int x = 164; x < 616;) {
        const int w = rng.range(6, 9);
        const int h = rng.range(14, 24);
        const Rgb c = bottleColours[rng.range(0, 5)];
        const int neck = w / 3 + 1;
        cv.rect(x, y - h + 6, w, h - 6, c);
        cv.rect(x + (w - neck) / 2, y - h, neck, 7, c);
        cv.rect(x + (w - neck) / 2, y - h - 1, neck, 2, pal::wood5); // cork
        cv.rect(x + 1, y - h + 8, 1, h - 10, shade(c, 1.6));         // glint on the lit side
        cv.rect(x + 1, y - h + 12, w - 2, 5, pal::white0);           // label
        cv.rect(x + w - 1, y - h + 6, 1, h - 6, shade(c, 0.6));
        x += w + rng.range(1, 5);
        if (rng.range(0, 9) == 0) x += 14; // a gap where a bottle was taken
    }
}

void drawLampFixtures(Image& img) {
    Canvas cv(img);
    for (const Lamp& lamp : kLamps) {
        if (lamp.y < 30) { // hanging lamps under the ceiling
            cv.rect(lamp.x - 1, 10, 2, 6, pal::brass0);
            cv.poly({{lamp.x - 10.0, 24}, {lamp.x + 10.0, 24}, {lamp.x + 5.0, 16}, {lamp.x - 5.0, 16}}, pal::brass1);
            cv.rect(lamp.x - 10, 22, 20, 2, pal::brass0);
            cv.rect(lamp.x - 4, 17, 3, 4, pal::brass2);
            cv.rect(lamp.x - 5, 24, 10, 3, pal::lamp1);
        } else { // wall sconces
            cv.rect(lamp.x - 2, lamp.y, 4, 10, pal::brass0);
            cv.rect(lamp.x - 6, lamp.y + 8, 12, 3, pal::brass1);
            cv.poly({{lamp.x - 6.0, lamp.y - 2.0},
                     {lamp.x + 6.0, lamp.y - 2.0},
                     {lamp.x + 4.0, lamp.y - 12.0},
                     {lamp.x - 4.0, lamp.y - 12.0}},
                    pal::lamp0);
            cv.rect(lamp.x - 3, lamp.y - 10, 3, 7, pal::lamp1);
        }
    }
}

void drawBarrel(Canvas& cv, int x, int y, int w, int h) {
    cv.rect(x + 2, y, w - 4, h, pal::wood3);
    cv.rect(x, y + 3, w, h - 6, pal::wood3);
    cv.rect(x + 2, y + 2, 3, h - 4, pal::wood4);     // lit side
    cv.rect(x + w - 5, y + 2, 3, h - 4, pal::wood2); // shadow side
    for (int sx = x + 8; sx < x + w - 4; sx += 7) cv.rect(sx, y + 1, 1, h - 2, pal::wood2);
    for (int hy : {y + 4, y + h - 7}) {
        cv.rect(x, hy, w, 3, pal::grey0);
        cv.rect(x, hy, w, 1, pal::grey1);
    }
    cv.rect(x + w / 2 - 2, y + h / 2 - 2, 5, 5, pal::wood1); // bung
}

void drawKegs(Image& img) {
    Canvas cv(img);
    // A rack of barrels behind each end of the bar.
    drawBarrel(cv, 8, 164, 44, 40);
    drawBarrel(cv, 56, 164, 44, 40);
    drawBarrel(cv, 30, 124, 44, 40);
    drawBarrel(cv, 4, 324, 42, 40);
    drawBarrel(cv, 50, 324, 42, 40);
    drawBarrel(cv, 6, 492, 34, 40);
}

void drawTierFloor(Image& img, int top, int bottom, int right) {
    // The bartender's raised walkway at the near end: boards on top, a shaded front edge.
    Canvas cv(img);
    const double t = top, b = bottom - 7, r = right;
    cv.poly({{0, t}, {r, t}, {r - 20, b}, {0, b}}, pal::wood3);
    for (int y = top + 5; y < bottom - 7; y += 6) {
        const int edge = right - (y - top) * 20 / (bottom - 7 - top);
        cv.rect(0, y, edge, 1, pal::wood2);
        for (int x = (y * 37) % 53; x < edge - 4; x += 53) cv.rect(x, y - 5, 1, 5, pal::wood2);
    }
    cv.rect(0, top, right, 3, pal::wood1);             // shadow of the counter above
    cv.rect(0, bottom - 7, right - 20, 2, pal::wood4); // lit front lip
    cv.rect(0, bottom - 5, right - 20, 5, pal::wood1); // front face in shade
    cv.rect(0, bottom, right - 20, 2, pal::wall0);     // shadow under the walkway
}

void drawMainFloor(Image& img) {
    const int top = kBars[2].bottom;
    Rng rng(23);
    for (int y = top; y < 600; ++y) {
        const int row = (y - top) / 9;
        const int offset = (row * 97) % 140;
        for (int x = 0; x < 800; ++x) {
            double level = 0.25 + 0.35 * (1.0 - x / 800.0) + 0.1 * ((y - top) / 70.0);
            Rgb c = ditherOn(x, y, level) ? pal::wood3 : pal::wood2;
            if ((y - top) % 9 == 0) c = pal::wood1;           // board seam
            else if ((x + offset) % 140 == 0) c = pal::wood1; // board end
            img.set(x, y, c);
        }
    }
    for (int i = 0; i < 60; ++i) img.set(rng.range(0, 799), rng.range(top + 2, 599), pal::wood1);
    // Shadow cast on the floor by the bottom counter.
    for (int x = 0; x < 800; ++x)
        for (int y = top; y < top + 4; ++y) img.set(x, y, pal::wood0);
}

void drawTap(Canvas& cv, int x, int surface) {
    cv.rect(x, surface - 28, 8, 28, pal::brass1);
    cv.rect(x, surface - 28, 2, 28, pal::brass3);
    cv.rect(x + 6, surface - 28, 2, 28, pal::brass0);
    cv.rect(x - 2, surface - 30, 12, 3, pal::brass2);
    cv.rect(x + 8, surface - 22, 8, 3, pal::brass1); // spout
    cv.rect(x + 13, surface - 22, 3, 6, pal::brass0);
    cv.rect(x + 2, surface - 44, 4, 14, pal::black0); // handle
    cv.rect(x + 2, surface - 44, 1, 14, pal::black1);
    cv.rect(x + 1, surface - 46, 6, 4, pal::red1);
    cv.rect(x - 3, surface - 2, 14, 3, pal::brass0); // drip tray
}

void drawCounter(Image& img, const Bar& bar) {
    Canvas cv(img);
    const int w = bar.door - bar.left;
    const int top = bar.back, front = bar.front, bottom = bar.bottom;
    // Counter top: boards running along the bar, lit from the front-left.
    Rng rng(static_cast<std::uint64_t>(bar.lane));
    for (int y = top; y < front; ++y)
        for (int x = bar.left; x < bar.door; ++x) {
            double level = 0.35 + 0.5 * (y - top) / (front - top) - 0.2 * (x - bar.left) / w;
            Rgb c = ditherOn(x, y, level) ? pal::wood5 : pal::wood4;
            if ((y - top) % 7 == 6) c = pal::wood3;
            img.set(x, y, c);
        }
    for (int i = 0; i < 14; ++i) { // board ends
        const int x = bar.left + 10 + rng.range(0, w - 20);
        const int row = rng.range(0, (front - top) / 7 - 1);
        cv.rect(x, top + row * 7, 1, 6, pal::wood3);
    }
    cv.rect(bar.left, top, w, 2, pal::wood2);       // back edge in shade
    cv.rect(bar.left, front - 3, w, 2, pal::wood6); // polished nosing
    cv.rect(bar.left, front - 1, w, 2, pal::wood3);
    // Front face: framed panels.
    cv.rect(bar.left, front + 1, w, bottom - front - 1, pal::wood2);
    const int panelTop = front + 6, panelBottom = bottom - 12;
    for (int x = bar.left + 8; x + 40 < bar.door - 4; x += 52) {
        cv.rect(x, panelTop, 42, panelBottom - panelTop, pal::wood1);
        cv.rect(x, panelTop, 42, 1, pal::wood0); // shadow under the frame
        cv.rect(x, panelTop, 1, panelBottom - panelTop, pal::wood0);
        cv.rect(x, panelBottom - 1, 42, 1, pal::wood3); // lit lower lip
        cv.rect(x + 41, panelTop, 1, panelBottom - panelTop, pal::wood3);
        cv.rect(x + 6, panelTop + 4, 30, panelBottom - panelTop - 8, pal::wood2);
        cv.rect(x + 6, panelTop + 4, 30, 1, pal::wood3);
    }
    // Brass foot rail on brackets.
    const int rail = bottom - 8;
    cv.rect(bar.left, rail, w, 3, pal::brass1);
    cv.rect(bar.left, rail, w, 1, pal::brass3);
    cv.rect(bar.left, rail + 3, w, 1, pal::brass0);
    for (int x = bar.left + 20; x < bar.door - 10; x += 104) cv.rect(x, rail + 3, 3, 5, pal::brass0);
    cv.rect(bar.left, bottom - 2, w, 2, pal::wood0); // kick plate
    // Near end of the counter: a rounded end post.
    cv.rect(bar.left, top, 4, bottom - top, pal::wood3);
    cv.rect(bar.left, top, 1, bottom - top, pal::wood5);
    drawTap(cv, bar.left + 6, front - 4);
}

void drawDoor(Image& img, const Bar& bar, int top) {
    Canvas cv(img);
    const int x = bar.door, w = layout::kDoorWidth, bottom = bar.bottom;
    // Dark doorway with a glimpse of the street's light at the far side.
    cv.rect(x, top, w, bottom - top, pal::wall0);
    for (int y = top + 6; y < bottom; ++y)
        for (int i = x + 8; i < x + w - 6; ++i)
            if (ditherOn(i, y, 0.15 + 0.35 * (i - x) / w)) img.set(i, y, rgb(48, 38, 44));
    // Swinging half doors.
    const int doorTop = top + (bottom - top) / 4, doorBottom = bottom - (bottom - top) / 5;
    for (int half = 0; half < 2; ++half) {
        const int dx = x + 6 + half * (w - 12) / 2;
        const int dw = (w - 12) / 2 - 1;
        cv.rect(dx, doorTop, dw, doorBottom - doorTop, pal::wood3);
        for (int sy = doorTop + 4; sy < doorBottom - 4; sy += 5) cv.rect(dx + 2, sy, dw - 4, 2, pal::wood2);
        cv.rect(dx, doorTop, dw, 2, pal::wood5);
        cv.rect(dx, doorTop, 1, doorBottom - doorTop, pal::wood4);
        cv.rect(dx + dw - 1, doorTop, 1, doorBottom - doorTop, pal::wood1);
    }
    // Frame: the left jamb stands exactly at the door edge.
    cv.rect(x, top - 6, w + 6, 6, pal::wood2);
    cv.rect(x, top - 6, w + 6, 1, pal::wood5);
    cv.rect(x, top, 6, bottom - top, pal::wood3);
    cv.rect(x, top, 2, bottom - top, pal::wood5);
    cv.rect(x + w, top, 6, bottom - top, pal::wood2);
    cv.rect(x + w, top, 1, bottom - top, pal::wood4);
}

} // namespace

Image drawFloor() {
    Image img(800, 600, pal::wall1);
    drawWall(img);
    drawShelf(img);
    drawLampFixtures(img);
    drawKegs(img);
    drawTierFloor(img, kBars[0].bottom, kBars[0].tenderY + 126 + 4, kBars[0].left + 56);
    drawTierFloor(img, kBars[1].bottom, kBars[1].tenderY + 126 + 4, kBars[1].left + 56);
    drawMainFloor(img);
    drawDoor(img, kBars[0], 52);
    drawDoor(img, kBars[1], 210);
    drawDoor(img, kBars[2], 374);
    for (const Bar& bar : kBars) drawCounter(img, bar);
    return img;
}

} // namespace assetgen
