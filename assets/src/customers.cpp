// Six customers, each walking towards the bartender and drinking, one band per look.
#include "canvas.h"
#include "figure.h"
#include "palette.h"
#include "pictures.h"

namespace assetgen {

namespace {

enum class Extra { Coat, Plain, Vest, Necklace, Plaid, Suit };

struct Look {
    int top, bottomWalking, bottomDrinking; // band rows in the sheet
    int headTop;                            // within the band
    HeadStyle head;
    Rgb shirt;
    Extra extra;
};

const Look kLooks[6] = {
    {0,
     68,
     66,
     8,
     {rgb(240, 196, 160), rgb(50, 36, 30), Hair::Short, Hat::Bowler, pal::black0, true, false},
     pal::wood2,
     Extra::Coat},
    {68,
     131,
     131,
     3,
     {rgb(214, 160, 118), rgb(200, 84, 32), Hair::Curly, Hat::None, 0, false, false},
     pal::blue1,
     Extra::Plain},
    {134,
     205,
     205,
     9,
     {rgb(150, 98, 62), rgb(40, 28, 24), Hair::Short, Hat::Cowboy, pal::wood3, false, false},
     pal::white1,
     Extra::Vest},
    {206,
     270,
     270,
     3,
     {rgb(248, 214, 184), rgb(236, 200, 90), Hair::Long, Hat::None, 0, false, false},
     pal::purple1,
     Extra::Necklace},
    {272,
     340,
     340,
     11,
     {rgb(196, 140, 100), rgb(120, 70, 36), Hair::Short, Hat::Beanie, pal::blue1, false, true},
     pal::red1,
     Extra::Plaid},
    {344,
     440,
     440,
     24,
     {rgb(104, 66, 42), rgb(30, 24, 24), Hair::Short, Hat::TopHat, pal::black0, false, false},
     pal::grey1,
     Extra::Suit},
};

void drawArm(Pen& pen, double sx, double sy, double ex, double ey, double hx, double hy, Rgb sleeve, Rgb skin,
             bool front) {
    if (front) {
        pen.frontLimb(sx, sy, ex, ey, 7, sleeve);
        pen.frontLimb(ex, ey, hx, hy, 6, sleeve);
        pen.frontEllipse(hx, hy, 3, 3, skin);
        pen.detailLine(sx, sy, ex, ey, 7, sleeve);
    } else {
        pen.limb(sx, sy, ex, ey, 7, sleeve);
        pen.limb(ex, ey, hx, hy, 6, sleeve);
        pen.ellipse(hx, hy, 3, 3, skin);
    }
}

void drawTorso(Pen& pen, double cx, double sh, double bottom, const Look& look) {
    const Rgb s = look.shirt, dark = shade(s, 0.7), lit = shade(s, 1.2);
    pen.ellipse(cx, sh + 5, 13, 6, s);
    pen.rect(cx - 13, sh + 5, 26, bottom - sh - 5, s);
    pen.detail(cx - 12, sh + 4, 4, bottom - sh - 4, lit);
    pen.detail(cx + 9, sh + 6, 4, bottom - sh - 6, dark);
    switch (look.extra) {
    case Extra::Coat: // open brown coat over a white shirt and a tie
        pen.detail(cx - 1, sh + 1, 9, bottom - sh - 1, pal::white1);
        pen.detail(cx + 2, sh + 3, 3, bottom - sh - 12, pal::red1);
        pen.detail(cx - 1, sh + 1, 2, bottom - sh - 1, pal::wood1);
        break;
    case Extra::Plain:
        pen.detail(cx - 2, sh + 2, 10, 3, shade(s, 0.8)); // collar
        pen.detail(cx + 4, sh + 10, 2, 2, pal::white1);   // buttons
        pen.detail(cx + 4, sh + 18, 2, 2, pal::white1);
        break;
    case Extra::Vest:
        pen.detail(cx - 13, sh + 6, 12, bottom - sh - 6, pal::wood4);
        pen.detail(cx + 6, sh + 6, 7, bottom - sh - 6, pal::wood4);
        pen.detail(cx - 13, sh + 6, 3, bottom - sh - 6, pal::wood5);
        pen.detail(cx - 1, sh + 1, 8, 5, pal::red1); // neckerchief
        break;
    case Extra::Necklace:
        pen.detail(cx - 2, sh + 1, 10, 6, look.head.skin);
        for (int i = 0; i < 4; ++i) pen.detail(cx - 1 + i * 2, sh + 6 + (i == 1 || i == 2), 2, 2, pal::glass2);
        break;
    case Extra::Plaid:
        for (double y = sh + 6; y < bottom; y += 6) pen.detail(cx - 13, y, 26, 2, pal::red0);
        for (double x = cx - 10; x < cx + 13; x += 7) pen.detail(x, sh + 4, 2, bottom - sh - 4, pal::brass1);
        break;
    case Extra::Suit:
        pen.detail(cx - 1, sh + 1, 8, 18, pal::white1);
        pen.detail(cx + 2, sh + 3, 3, bottom - sh - 10, pal::red0);
        pen.detail(cx - 1, sh + 1, 2, bottom - sh - 1, pal::grey0);
        pen.detail(cx + 7, sh + 1, 2, 20, pal::grey0);
        pen.detail(cx + 9, sh + 18, 3, 2, pal::white1); // handkerchief
        break;
    }
}

// Facing right in drawing coordinates; the caller mirrors so customers face the bartender.
void drawCustomer(Pen& pen, double cx, const Look& look, int bottom, bool drinking) {
    const double top = look.headTop, sh = top + 24;
    const Rgb sleeve = look.shirt, sleeveDark = shade(sleeve, 0.8);
    if (drinking) drawArm(pen, cx - 9, sh + 5, cx - 12, sh + 18, cx - 4, sh + 26, sleeveDark, look.head.skin, false);
    else drawArm(pen, cx - 9, sh + 5, cx - 13, sh + 17, cx - 10, sh + 28, sleeveDark, look.head.skin, false);
    drawTorso(pen, cx, sh, bottom, look);
    drawHead(pen, cx, top, look.head, drinking ? Face::Drinking : Face::Open);
    if (drinking) {
        drawArm(pen, cx + 10, sh + 5, cx + 17, sh + 14, cx + 15, top + 19, sleeve, look.head.skin, true);
        // Mug at the lips, foam towards the mouth.
        pen.rect(cx + 11, top + 9, 11, 15, pal::beer1);
        pen.rect(cx + 9, top + 8, 4, 8, pal::foam1);
        pen.detail(cx + 13, top + 11, 2, 11, pal::beer3);
        pen.detail(cx + 19, top + 10, 2, 13, pal::beer0);
        pen.limb(cx + 22, top + 12, cx + 25, top + 17, 3, pal::glass1);
    } else {
        drawArm(pen, cx + 8, sh + 5, cx + 12, sh + 16, cx + 16, sh + 22, sleeve, look.head.skin, true);
    }
}

} // namespace

Image drawCustomers() {
    Image img(100, 440, pal::kGreenKey);
    for (int pass = 0; pass < 2; ++pass) {
        Canvas cv(img);
        Pen pen(cv, pass == 0);
        for (const Look& look : kLooks) {
            // Walking: cell 0..41, mirrored so the body centre lands at x 22.
            cv.reset();
            cv.origin(0, look.top);
            cv.mirror(20.5);
            drawCustomer(pen, 19, look, look.bottomWalking - look.top, false);
            // Drinking: cell 42..98, body centre at 68, mug to the left.
            cv.reset();
            cv.origin(0, look.top);
            cv.mirror(70);
            drawCustomer(pen, 72, look, look.bottomDrinking - look.top, true);
        }
    }
    // Keep each picture inside its cell: key between bands, in the first column of each
    // walking picture (drawn alone while a customer waits behind his door) and between pictures.
    Image clean(100, 440, pal::kGreenKey);
    for (const Look& look : kLooks) {
        clean.pasteRect(img, 1, look.top, 41, look.bottomWalking, 1, look.top, false, 0);
        clean.pasteRect(img, 43, look.top, 98, look.bottomDrinking, 43, look.top, false, 0);
    }
    snapToKey(clean, pal::kGreenKey, kKeyTolerance);
    return clean;
}

} // namespace assetgen
