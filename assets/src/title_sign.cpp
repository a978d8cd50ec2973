// The title sign, the typed line under it and the cursor cell, all on black.
#include <string_view>

#include "palette.h"
#include "pictures.h"
#include "pixel_font.h"

namespace assetgen {

namespace {

constexpr std::string_view kName = "BRANNOC";
constexpr std::string_view kTypedLine = "PULL UP A STOOL...";
static_assert(kTypedLine.size() == 18, "the typed line has exactly 18 cells");

// Big bevelled letters: each font pixel is a block, lit from the upper left,
// with a deep shadow extruded to the lower right.
void drawBigName(Image& img) {
    constexpr int sx = 14, sy = 11, advance = 7; // block size and glyph advance in font pixels
    const int width = (static_cast<int>(kName.size()) - 1) * advance * sx + kGlyphW * sx;
    const int x0 = (760 - width) / 2 - 4, y0 = 8;
    auto ink = [&](int gx, int gy) {
        const int i = gx / advance;
        if (gx < 0 || gy < 0 || i >= static_cast<int>(kName.size())) return false;
        return glyphInk(kName[i], gx % advance, gy);
    };
    const int cols = static_cast<int>(kName.size()) * advance;
    // Extruded shadow.
    for (int d = 8; d >= 1; --d)
        for (int gy = 0; gy < kGlyphH; ++gy)
            for (int gx = 0; gx < cols; ++gx)
                if (ink(gx, gy))
                    img.fill(x0 + gx * sx + d, y0 + gy * sy + d, sx, sy, d > 5 ? pal::red0 : rgb(150, 40, 20));
    // Faces with bevels.
    for (int gy = 0; gy < kGlyphH; ++gy)
        for (int gx = 0; gx < cols; ++gx) {
            if (!ink(gx, gy)) continue;
            const int x = x0 + gx * sx, y = y0 + gy * sy;
            // Vertical gradient: bright gold at the top to deep orange at the bottom.
            const double t = (gy * sy) / static_cast<double>(kGlyphH * sy);
            for (int j = 0; j < sy; ++j) {
                const double tt = t + j / static_cast<double>(kGlyphH * sy);
                Rgb c = tt < 0.3 ? pal::brass3 : tt < 0.55 ? pal::beer3 : tt < 0.8 ? pal::beer2 : pal::beer1;
                img.fill(x, y + j, sx, 1, c);
            }
            if (!ink(gx, gy - 1)) img.fill(x, y, sx, 3, rgb(255, 250, 224));
            if (!ink(gx - 1, gy)) img.fill(x, y, 3, sy, rgb(255, 236, 170));
            if (!ink(gx, gy + 1)) img.fill(x, y + sy - 2, sx, 2, pal::beer0);
            if (!ink(gx + 1, gy)) img.fill(x + sx - 2, y, 2, sy, pal::beer0);
        }
    // Foam bubbles dripping from the tops of the letters.
    for (int gx = 0; gx < cols; ++gx)
        if (ink(gx, 0) && gx % 2 == 0) {
            const int x = x0 + gx * sx;
            img.fill(x + 3, y0 - 4, sx - 4, 5, pal::foam1);
            img.fill(x + 5, y0 - 6, sx - 8, 2, pal::foam1);
            img.fill(x + 4, y0 + 1, 3, 6 + gx % 3 * 3, pal::foam1);
        }
}

void drawTrim(Image& img) {
    // A thin brass rule with rivets under the name.
    for (int x = 40; x < 720; ++x) {
        img.set(x, 98, pal::brass2);
        img.set(x, 99, pal::brass1);
        img.set(x, 100, pal::brass0);
    }
    for (int x = 40; x < 720; x += 40) img.fill(x, 97, 3, 5, pal::brass3);
}

void drawTypedLine(Image& img) {
    constexpr Rgb text = rgb(255, 214, 120), shadow = rgb(140, 60, 20);
    for (std::size_t i = 0; i < kTypedLine.size(); ++i) {
        const int cx = static_cast<int>(i) * 13;
        const std::string_view ch = kTypedLine.substr(i, 1);
        drawText(img, ch, cx + 2, 118 + 5, 2, 2, 6, shadow);
        drawText(img, ch, cx + 1, 118 + 4, 2, 2, 6, text);
    }
}

void drawCursorCell(Image& img) {
    img.fill(1, 142 + 3, 11, 15, rgb(255, 214, 120));
    img.fill(1, 142 + 3, 11, 2, rgb(255, 246, 200));
    img.fill(1, 142 + 16, 11, 2, rgb(200, 120, 40));
}

} // namespace

Image drawTitleSign() {
    Image img(760, 162, pal::kBlackKey);
    drawBigName(img);
    drawTrim(img);
    drawTypedLine(img);
    drawCursorCell(img);
    snapToKey(img, pal::kBlackKey, kKeyTolerance);
    return img;
}

} // namespace assetgen
