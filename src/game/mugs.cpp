// Mugs: sliding both ways, drawn, taken by customers, caught by the bartender, broken at the ends.
#include "game/bars.h"
#include "game/pub_screen.h"

namespace {

constexpr SourceRect fullMug = {0, 0, 40, 52};
constexpr SourceRect emptyMug = {36, 0, 81, 48};
constexpr SourceRect brokenFar = {0, 54, 59, 104};
constexpr SourceRect brokenNear = {55, 55, 133, 111};

constexpr std::int32_t fullMugStop = 750;
constexpr std::int32_t emptyMugStop = 10;
constexpr std::int32_t drawnBelow = 700;

} // namespace

void PubScreen::moveMugs() {
    for (std::int32_t m = 0; m <= lastMug && m < mugSlots; ++m) {
        Mug& mug = mugs[m];
        if (mug.full == 1 && mug.x > 1 && mug.x < fullMugStop) {
            mug.x += gameVars.mugSpeed;
        }
        if (mug.full == 0 && mug.x > emptyMugStop) {
            mug.x -= gameVars.mugSpeed;
        }
    }
}

void PubScreen::drawMugs() {
    for (std::int32_t m = 0; m <= lastMug && m < mugSlots; ++m) {
        const Mug& mug = mugs[m];
        if (mug.x > 1 && mug.x < drawnBelow) {
            const SourceRect& r = mug.full == 1 ? fullMug : emptyMug;
            beerSprite.blit(r.left, r.top, r.right, r.bottom, mug.x, mug.y);
        }
    }
}

void PubScreen::checkMugs() {
    for (std::int32_t m = 0; m <= lastMug && m < mugSlots; ++m) {
        Mug& mug = mugs[m];
        const std::int32_t bar = mugBarOf(mug.y);
        const BarLayout* layout = barLayout(bar);
        if (mug.x <= 1 || layout == nullptr) {
            continue;
        }
        // The far end is tested first: a customer in reach there does not save the mug.
        if (mug.full == 1 && mug.x > layout->farLimit) {
            breakMug(mug.y, 1);
            return; // the round starts over: no mug is left to look at
        }
        if (mug.full == 0 && mug.x > 1 && mug.x < layout->catchLimit) {
            if (gameVars.bartenderBar == bar) {
                catchSound.play();
                mug.x = 0;
            } else if (mug.x < layout->breakLimit) {
                breakMug(mug.y, 0);
                return;
            }
        }
        if (mug.full == 1) {
            // The first walking customer of the bar in reach takes it.
            for (std::int32_t i = 0; i < activeCustomers(); ++i) {
                Customer& c = customers[i];
                if (barOf(c.y) == bar && c.drinking == 0 && c.x != 0 && mug.x != 0 && c.x - 10 < mug.x &&
                    mug.x < c.x + 50) {
                    c.drinking = 1;
                    mug.x = 0;
                }
            }
        }
    }
}

void PubScreen::breakMug(std::int32_t y, std::uint8_t farEnd) {
    beerSprite.blit(brokenFar.left, brokenFar.top, brokenFar.right, brokenFar.bottom, y / 5 + 590, y);
    loseLife();
    // A break while the last one still sounds shows only the far-end picture.
    if (!breakSound.isPlaying()) {
        breakSound.play();
        if (farEnd == 0) {
            beerSprite.blit(brokenNear.left, brokenNear.top, brokenNear.right, brokenNear.bottom, y / 8 + 20, y);
        }
    }
}
