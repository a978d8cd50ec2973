#include "game/pub_screen.h"

#include <limits>

#include "app/globals.h"
#include "game/cycle_measure.h"

namespace {
constexpr COLORREF transparentGreen = 0x0000FF00;
} // namespace

PubScreen pubScreen;

void resetPlayState() {
    gameVars = GameVars{};
    lastMug = 0;
    stepCounter = 0;
    framesPerStep = 0;
    lookYOffset = 0;
}

void PubScreen::load() {
    app.loadSprite(floorSprite, "bmps\\floor.bmp");
    app.loadSprite(bartenderSprite, "bmps\\bartender.bmp");
    app.loadSprite(beerSprite, "bmps\\beer.bmp");
    app.loadSprite(drunkSprite, "bmps\\drunk.bmp");

    app.loadSound(moveSound, 121);
    app.loadSound(pourSound, 122);
    app.loadSound(breakSound, 123);
    app.loadSound(catchSound, 124);
    app.loadSound(servedSound, 125);
    app.loadSound(roundSound, 126);
    app.loadSound(reachedSound, 128);
    app.loadSound(gameOverSound, 129);
    app.loadSound(spareSound, 130);

    // The floor has no key: it is drawn opaque under everything.
    bartenderSprite.setColorKey(transparentGreen);
    drunkSprite.setColorKey(transparentGreen);
    beerSprite.setColorKey(transparentGreen);

    joystick.calibrate();
    framesPerStep = framesPerStepFor(measureCyclesPerSecond());
}

void PubScreen::frame() {
    drawFloor();
    handleInput();

    // Held at its ceiling: a wrapped count would place the customers again.
    if (frameCount < std::numeric_limits<std::int32_t>::max()) {
        frameCount += 1;
    }
    if (frameCount <= 1) {
        checkProgress();
        spawnCustomers();
    }

    if (pouring == 1) {
        pour();
    }
    checkProgress();

    stepCounter += 1;
    if (stepCounter >= framesPerStep) {
        moveCustomers();
        moveMugs();
        stepCounter = 0;
    }

    drawCustomers();
    drawMugs();
    checkMugs();
    drawBartender();
    drawHud();
}

void PubScreen::drawFloor() { floorSprite.blitWhole(0, 0); }

void PubScreen::teardown() {
    SoundEffect* effects[] = {&spareSound, &gameOverSound, &reachedSound, &roundSound, &servedSound,
                              &catchSound, &breakSound,    &pourSound,    &moveSound};
    for (SoundEffect* effect : effects) {
        effect->release();
        effect->buffer = nullptr; // a second teardown finds nothing to release
    }
    Sprite* sprites[] = {&drunkSprite, &beerSprite, &bartenderSprite, &floorSprite};
    for (Sprite* sprite : sprites) {
        sprite->release();
    }
}
