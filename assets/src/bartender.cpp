// The bartender in his four poses: standing, pouring, dismayed, cheering.
#include "canvas.h"
#include "figure.h"
#include "palette.h"
#include "pictures.h"

namespace assetgen {

namespace {

enum class Pose { Standing, Pouring, Dismayed, Cheering };

const HeadStyle kTenderHead{rgb(236, 178, 140), rgb(92, 56, 34), Hair::Fringe, Hat::None, 0, true, false};

constexpr Rgb kVest = pal::red0, kVestLit = pal::red1;

struct Arm {
    double sx, sy, ex, ey, hx, hy; // shoulder, elbow, hand
};

void drawArm(Pen& pen, const Arm& a, bool front) {
    if (front) {
        pen.frontLimb(a.sx, a.sy, a.ex, a.ey, 8, pal::white0);
        pen.frontLimb(a.ex, a.ey, a.hx, a.hy, 6, kTenderHead.skin);
        pen.frontEllipse(a.hx, a.hy, 3.5, 3.5, kTenderHead.skin);
        pen.detailLine(a.sx, a.sy, a.ex, a.ey, 8, pal::white0); // sleeve over the elbow joint
    } else {
        pen.limb(a.sx, a.sy, a.ex, a.ey, 8, pal::white0);
        pen.limb(a.ex, a.ey, a.hx, a.hy, 6, shade(kTenderHead.skin, 0.85));
        pen.ellipse(a.hx, a.hy, 3.5, 3.5, shade(kTenderHead.skin, 0.85));
    }
    pen.detailLine(a.sx - 1, a.sy - 1, a.sx + (a.ex - a.sx) * 0.5 - 1, a.sy + (a.ey - a.sy) * 0.5, 2,
                   pal::white1); // lit crease of the sleeve
}

void drawMugInHand(Pen& pen, double x, double y) {
    pen.rect(x, y, 11, 14, pal::beer1);
    pen.rect(x - 1, y - 3, 13, 4, pal::foam1);
    pen.detail(x + 2, y + 2, 2, 10, pal::beer3);
    pen.detail(x + 8, y + 1, 2, 12, pal::beer0);
}

// One pose with the body centred at cx and the soles at row feet.
void drawTender(Pen& pen, double cx, double feet, Pose pose) {
    const double hip = feet - 56, shoulder = feet - 90, headTop = feet - 114;
    const double slump = pose == Pose::Dismayed ? 3 : 0;
    // Legs and shoes.
    pen.rect(cx - 11, hip, 10, feet - 6 - hip, pal::black0);
    pen.rect(cx + 1, hip, 10, feet - 6 - hip, pal::black0);
    pen.detail(cx - 10, hip + 2, 2, feet - 10 - hip, pal::black1);
    pen.rect(cx - 12, feet - 6, 13, 6, pal::wood1);
    pen.rect(cx, feet - 6, 14, 6, pal::wood1);
    pen.detail(cx + 2, feet - 6, 6, 1, pal::wood3);
    // Back arm first, behind the body.
    Arm back{}, front{};
    switch (pose) {
    case Pose::Standing:
        back = {cx - 12, shoulder + 4, cx - 18, shoulder + 20, cx - 16, shoulder + 36};
        front = {cx + 11, shoulder + 4, cx + 17, shoulder + 20, cx + 9, shoulder + 34};
        break;
    case Pose::Pouring:
        back = {cx - 12, shoulder + 4, cx - 4, shoulder + 20, cx + 14, shoulder + 16};
        front = {cx + 12, shoulder + 4, cx + 20, shoulder + 16, cx + 26, shoulder + 24};
        break;
    case Pose::Dismayed:
        back = {cx - 12, shoulder + 4 + slump, cx - 20, shoulder - 8, cx - 8, headTop + 4};
        front = {cx + 12, shoulder + 4 + slump, cx + 20, shoulder - 8, cx + 7, headTop + 4};
        break;
    case Pose::Cheering:
        back = {cx - 12, shoulder + 4, cx - 22, shoulder - 10, cx - 24, headTop - 3};
        front = {cx + 12, shoulder + 4, cx + 22, shoulder - 10, cx + 24, headTop - 3};
        break;
    }
    if (pose != Pose::Dismayed) drawArm(pen, back, false);
    // Body: white shirt, red waistcoat, long white apron.
    pen.rect(cx - 14, shoulder + slump, 28, hip - shoulder - slump + 4, pal::white1);
    pen.detail(cx - 12, shoulder + 2 + slump, 24, hip - shoulder - 2, kVest);
    pen.detail(cx - 12, shoulder + 2 + slump, 4, hip - shoulder - 4, kVestLit);
    pen.detail(cx - 2, shoulder + 2 + slump, 4, hip - shoulder - 4, pal::white1); // shirt front
    for (double by = shoulder + 10; by < hip - 2; by += 7) pen.detail(cx + 3, by, 2, 2, pal::brass2);
    pen.rect(cx - 15, hip - 6, 30, 44, pal::white1);  // apron
    pen.detail(cx - 15, hip - 6, 30, 3, pal::white0); // apron string
    pen.detail(cx + 9, hip, 5, 37, pal::white0);      // fold in shade
    pen.detail(cx - 13, hip - 2, 2, 34, rgb(255, 252, 246));
    // Head with bow tie.
    drawHead(pen, cx + 1, headTop + slump * 2, kTenderHead,
             pose == Pose::Dismayed   ? Face::Dismayed
             : pose == Pose::Cheering ? Face::Smile
                                      : Face::Calm);
    pen.detail(cx - 3, shoulder + slump, 8, 4, pal::black0);
    pen.detail(cx, shoulder + 1 + slump, 2, 2, pal::red1);
    if (pose == Pose::Dismayed) drawArm(pen, back, true);
    drawArm(pen, front, true);
    if (pose == Pose::Pouring) drawMugInHand(pen, cx + 22, shoulder + 18);
}

} // namespace

Image drawBartender() {
    Image img(256, 128, pal::kGreenKey);
    struct Placement {
        Pose pose;
        double left, cx, feet;
    };
    // Soles land on the same screen row for every pose, and the body does not jump sideways.
    constexpr Placement kPlacements[] = {
        {Pose::Standing, 0, 30, 126},
        {Pose::Pouring, 70, 27, 123},
        {Pose::Dismayed, 134, 26, 123},
        {Pose::Cheering, 186, 36, 123},
    };
    for (int pass = 0; pass < 2; ++pass) {
        Canvas cv(img);
        Pen pen(cv, pass == 0);
        for (const Placement& p : kPlacements) {
            cv.reset();
            cv.origin(p.left, 0);
            drawTender(pen, p.cx, p.feet, p.pose);
        }
    }
    snapToKey(img, pal::kGreenKey, kKeyTolerance);
    return img;
}

} // namespace assetgen
