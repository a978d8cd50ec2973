// One big picture of everything, plus a made-up moment of play, for reviewing the art.
#include <algorithm>

#include "layout.h"
#include "palette.h"
#include "pictures.h"

namespace assetgen {

namespace {

struct Band {
    int top, walkBottom, drinkBottom;
};
constexpr Band kBands[6] = {{0, 68, 66},     {68, 131, 131},  {134, 205, 205},
                            {206, 270, 270}, {272, 340, 340}, {344, 440, 440}};

// A customer drawn the way play draws him, cut at his bar's door.
void placeCustomer(Image& scene, const Image& customers, int bar, int look, int x, bool drinking) {
    const layout::Bar& b = layout::kBars[bar];
    const Band& band = kBands[look];
    const int lift = look == 5 ? -26 : 0;
    if (!drinking) {
        const int right = std::min(41, b.door - x);
        scene.pasteRect(customers, 0, band.top, std::max(right, 1), band.walkBottom, x, b.lane - 5 + 2 + lift, true,
                        pal::kGreenKey);
    } else {
        int right = 98;
        if (x > b.door - 56) right = b.door - x + 42;
        scene.pasteRect(customers, 42, band.top, right, band.drinkBottom, x, b.lane + 5 + lift, true, pal::kGreenKey);
    }
}

Image playScene(const Image& floor, const Image& tender, const Image& beer, const Image& customers) {
    Image scene = floor;
    placeCustomer(scene, customers, 0, 0, 420, false);
    placeCustomer(scene, customers, 0, 2, 622, false); // just stepping out of the door
    placeCustomer(scene, customers, 0, 3, 280, true);
    placeCustomer(scene, customers, 1, 5, 520, false);
    placeCustomer(scene, customers, 1, 1, 240, false);
    placeCustomer(scene, customers, 2, 4, 380, false);
    placeCustomer(scene, customers, 2, 1, 560, true);
    const Rgb g = pal::kGreenKey;
    scene.pasteRect(beer, 0, 0, 40, 52, 330, 120, true, g);      // full mug sliding on bar 1
    scene.pasteRect(beer, 0, 0, 40, 52, 180, 275, true, g);      // and on bar 2
    scene.pasteRect(beer, 36, 0, 81, 48, 470, 440, true, g);     // an empty one coming back
    scene.pasteRect(beer, 0, 54, 59, 104, 645, 275, true, g);    // broken at the far end of bar 2
    scene.pasteRect(beer, 55, 55, 133, 111, 75, 440, true, g);   // and at the near end of bar 3
    scene.pasteRect(tender, 70, 0, 132, 123, 113, 125, true, g); // pouring at bar 1
    scene.pasteRect(tender, 0, 0, 65, 126, 75, 277, true, g);    // standing at bar 2 (for review)
    scene.pasteRect(tender, 186, 0, 251, 125, 38, 445, true, g); // cheering at bar 3 (for review)
    // The score panel.
    scene.fill(layout::kHudLeft, layout::kHudTop, 75, 130, rgb(232, 234, 33));
    scene.fill(layout::kHudLeft + 2, layout::kHudTop + 2, 71, 126, 0);
    return scene;
}

} // namespace

Image drawContactSheet(const Image& floor, const Image& bartender, const Image& beer, const Image& customers,
                       const Image& sign, const Image& explosions, const Image& fires, const Image& logo,
                       const Image& icon) {
    Image sheet(1632, 2300, rgb(60, 60, 68));
    sheet.paste(floor, 8, 8);
    sheet.paste(playScene(floor, bartender, beer, customers), 824, 8);
    int y = 624;
    // The title on black, then the logo on the help page's panel colour.
    sheet.fill(8, y, 776, 176, 0);
    sheet.paste(sign, 16, y + 7);
    sheet.fill(800, y, 440, 260, rgb(112, 40, 16));
    sheet.paste(logo, 820, y + 10, true, pal::kLogoKey);
    sheet.paste(icon.scaled(4), 1260, y);
    sheet.paste(icon, 1400, y);
    y += 276;
    sheet.fill(8, y, 1616, 2 * 135 + 24, 0);
    sheet.pasteRect(explosions, 182, 0, 1092, 135, 16, y + 8, false, 0);
    sheet.pasteRect(explosions, 1092, 0, 2000, 135, 16, y + 151, false, 0);
    y += 2 * 135 + 40;
    sheet.fill(8, y, 1616, 53 * 3 + 24, 0);
    sheet.paste(fires, 16, y + 8);
    sheet.pasteRect(fires.scaled(2), 0, 0, 1600, 106, 16, y + 69, false, 0);
    y += 53 * 3 + 40;
    sheet.paste(bartender.scaled(2), 8, y);
    sheet.paste(beer.scaled(2), 536, y);
    sheet.paste(customers.scaled(2), 824, y);
    sheet.paste(customers, 1040, y);
    return sheet;
}

} // namespace assetgen
