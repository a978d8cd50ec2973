// The bartender: moving between bars, pouring, his four poses, and putting mugs on the bars.
#include "app/globals.h"
#include "game/bars.h"
#include "game/pub_screen.h"
#include "platform/dinput.h"

namespace {

struct Pose {
    SourceRect picture;
    std::int32_t dx;
    std::int32_t dy;
};

// Standing, pouring, life lost, round done.
constexpr Pose poses[4] = {
    {{0, 0, 65, 126}, 35, 12},
    {{70, 0, 132, 123}, 38, 15},
    {{134, 0, 185, 125}, 38, 15},
    {{186, 0, 251, 125}, 28, 15},
};

} // namespace

void PubScreen::handleInput() {
    const DWORD buttons = joystick.buttons();

    // A held direction moves once per playing of the move sound; while it sounds, nothing else
    // is read, so no pour starts while a direction is held.
    if (app.keyDown(DIK_DOWN) || joystick.down()) {
        if (!moveSound.isPlaying()) {
            gameVars.bartenderPose = 1;
            gameVars.bartenderBar = gameVars.bartenderBar >= 3 ? 1 : gameVars.bartenderBar + 1;
            moveSound.play();
        }
        if (moveSound.isPlaying()) {
            return;
        }
    }
    if (app.keyDown(DIK_UP) || joystick.up()) {
        if (!moveSound.isPlaying()) {
            gameVars.bartenderPose = 1;
            gameVars.bartenderBar = gameVars.bartenderBar <= 1 ? 3 : gameVars.bartenderBar - 1;
            moveSound.play();
        }
        if (moveSound.isPlaying()) {
            return;
        }
    }
    if (app.keyDown(DIK_SPACE) || buttons == 1) {
        pouring = 1;
    }
}

void PubScreen::pour() {
    if (!pourSound.isPlaying() && pourStage == 0) {
        pourSound.play();
        pourStage = 1;
    }
    if (pourSound.isPlaying()) {
        gameVars.bartenderPose = 2;
        return;
    }
    if (pourStage == 1) {
        // The mug goes on the bar he stands at now, not where he started.
        gameVars.bartenderPose = 1;
        pouring = 0;
        pourStage = 0;
        launchMug(0, gameVars.bartenderBar, 0);
    }
}

void PubScreen::drawBartender() {
    const BarLayout* bar = barLayout(gameVars.bartenderBar);
    if (bar != nullptr) {
        drawBartenderAt(bar->baseX, bar->baseY, gameVars.bartenderPose);
    }
}

void PubScreen::drawBartenderAt(std::int32_t baseX, std::int32_t baseY, std::int32_t pose) {
    if (pose < 1 || pose > 4) {
        return;
    }
    const Pose& p = poses[pose - 1];
    bartenderSprite.blit(p.picture.left, p.picture.top, p.picture.right, p.picture.bottom, baseX + p.dx, baseY + p.dy);
}

void PubScreen::launchMug(std::uint8_t kind, std::int32_t bar, std::int32_t x) {
    const BarLayout* layout = barLayout(bar);
    if (layout == nullptr) {
        return; // no bar to put it on
    }
    // The next record is taken whatever it holds; after 100 the index wraps to 0.
    lastMug += 1;
    if (lastMug > 100) {
        lastMug = 0;
    }
    Mug& mug = mugs[lastMug];
    mug.y = layout->mugY;
    if (kind == 0) {
        mug.x = layout->pourX;
        mug.full = 1;
    } else {
        mug.x = x;
        mug.full = 0;
    }
}
