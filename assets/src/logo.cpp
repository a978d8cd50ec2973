// The help page's logo: an oval pub badge, keyed on sky blue; and the icon, for the window and
// the desktop.
#include "canvas.h"
#include "figure.h"
#include "palette.h"
#include "pictures.h"
#include "pixel_font.h"

namespace assetgen {

namespace {

void drawBadgeMug(Canvas& cv, double x, double y) {
    // A big mug for the emblem: glass, beer, foam, handle on the right.
    cv.line(x + 48, y + 22, x + 64, y + 26, 10, pal::outline);
    cv.line(x + 64, y + 26, x + 64, y + 52, 10, pal::outline);
    cv.line(x + 64, y + 52, x + 48, y + 56, 10, pal::outline);
    cv.line(x + 48, y + 22, x + 64, y + 26, 6, pal::glass1);
    cv.line(x + 64, y + 26, x + 64, y + 52, 6, pal::glass1);
    cv.line(x + 64, y + 52, x + 48, y + 56, 6, pal::glass1);
    cv.rect(x - 2, y + 8, 54, 66, pal::outline);
    cv.rect(x, y + 10, 50, 62, pal::beer1);
    cv.rect(x + 4, y + 14, 42, 52, pal::beer2);
    cv.rect(x + 7, y + 16, 8, 48, pal::beer3);
    cv.rect(x + 38, y + 14, 8, 52, pal::beer0);
    cv.rect(x + 3, y + 12, 3, 56, pal::glass2);
    cv.rect(x - 2, y + 66, 54, 8, pal::glass1);
    for (int i = 0; i < 6; ++i) cv.rect(x + 18 + (i * 7) % 16, y + 22 + i * 7, 3, 3, pal::beer3);
    cv.ellipse(x + 10, y + 8, 13, 9, pal::outline);
    cv.ellipse(x + 28, y + 4, 15, 11, pal::outline);
    cv.ellipse(x + 44, y + 9, 11, 8, pal::outline);
    cv.ellipse(x + 10, y + 8, 12, 8, pal::foam1);
    cv.ellipse(x + 28, y + 4, 14, 10, pal::foam1);
    cv.ellipse(x + 44, y + 9, 10, 7, pal::foam1);
    cv.rect(x + 4, y + 10, 44, 6, pal::foam0);
    cv.rect(x + 40, y + 14, 6, 14, pal::foam1);
}

} // namespace

Image drawLogo() {
    Image img(400, 240, pal::kLogoKey);
    {
        Canvas cv(img);
        cv.ellipse(200, 120, 198, 118, pal::outline);
        cv.ellipse(200, 120, 195, 115, pal::brass2);
        cv.ellipse(201, 121, 189, 109, pal::brass0);
        cv.ellipse(200, 120, 187, 107, pal::wood1);
        cv.ellipse(196, 114, 176, 96, pal::wood2);
        cv.ring(200, 120, 180, 100, 2, pal::brass1);
        drawBadgeMug(cv, 164, 16);
    }
    const std::string_view name = "BRANNOC";
    const int w = textWidth(name, 7, 6);
    const int x = 200 - w / 2, y = 112;
    drawText(img, name, x + 4, y + 4, 7, 7, 6, pal::outline);
    drawText(img, name, x, y, 7, 7, 6, pal::brass2);
    for (int py = y + 49; py >= y + 1; --py) // lit top edge of every stroke
        for (int px = x; px < x + w; ++px)
            if (img.at(px, py) == pal::brass2 && img.at(px, py - 1) != pal::brass2 && img.at(px, py - 1) != pal::brass3)
                img.fill(px, py, 1, 2, pal::brass3);
    const std::string_view motto = "PUB & PINTS";
    const int mw = textWidth(motto, 3, 6);
    drawText(img, motto, 200 - mw / 2 + 2, 182, 3, 3, 6, pal::outline);
    drawText(img, motto, 200 - mw / 2, 180, 3, 3, 6, pal::foam1);
    for (int sx : {92, 308}) { // stars either side of the motto
        img.fill(sx - 1, 182, 3, 11, pal::brass2);
        img.fill(sx - 5, 186, 11, 3, pal::brass2);
    }
    snapToKey(img, pal::kLogoKey, kKeyTolerance);
    return img;
}

Image drawIcon(int size) {
    Image img(size, size, pal::wood1);
    // The red frame stays one pixel wide per 32 of the icon's side, never less than one.
    const int frame = size >= 32 ? size / 32 : 1;
    img.fill(0, 0, size, size, pal::red0);
    img.fill(frame, frame, size - 2 * frame, size - 2 * frame, pal::wood1);
    {
        // The mug is drawn on a 32-unit grid, scaled to the size asked for.
        Canvas cv(img);
        cv.scale(size / 32.0);
        cv.line(22, 10, 27, 12, 4, pal::glass1);
        cv.line(27, 12, 27, 21, 4, pal::glass1);
        cv.line(27, 21, 22, 23, 4, pal::glass1);
        cv.rect(6, 8, 17, 20, pal::beer1);
        cv.rect(8, 10, 13, 16, pal::beer2);
        cv.rect(8, 10, 3, 15, pal::beer3);
        cv.rect(6, 26, 17, 3, pal::glass1);
        cv.ellipse(10, 7, 5, 4, pal::foam1);
        cv.ellipse(18, 6, 6, 4, pal::foam1);
        cv.rect(5, 7, 19, 3, pal::foam1);
    }
    return img;
}

} // namespace assetgen
