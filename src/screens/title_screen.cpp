#include "screens/title_screen.h"

#include <initializer_list>

#include "app/globals.h"
#include "platform/crt.h"

namespace {

constexpr int blastWave = 131;
constexpr int letterWave = 125;

constexpr int signWidth = 760; // the whole sign
constexpr int signHeight = 106;
constexpr int letterWidth = 13; // one cell of the text line
constexpr int lastLetter = 17;  // typing stops once letterCount passes it
constexpr int explosionStride = 182;
constexpr int fireStride = 31;
constexpr int lastFireFrame = 32;

// Where the sign's right edge stands after each step of the reveal, steps 0 to 6.
constexpr std::int32_t stepWidths[] = {95, 173, 247, 291, 370, 448, 538};
constexpr std::int32_t lastRevealStep = 7;

struct FireSpot {
    std::int32_t x;
    std::int32_t y;
};

// The fires each burst leaves, by the reveal width it bursts at.
struct FireRow {
    std::int32_t revealWidth;
    int count;
    FireSpot spots[4];
};

constexpr FireRow fireRows[] = {
    {95, 4, {{60, 167}, {40, 167}, {30, 167}, {65, 167}}},
    {173, 3, {{145, 191}, {120, 198}, {160, 198}}},
    {247, 3, {{209, 195}, {231, 190}, {240, 193}}},
    {291, 3, {{280, 167}, {290, 167}, {294, 167}}},
    {370, 3, {{340, 190}, {319, 201}, {355, 203}}},
    {448, 3, {{420, 190}, {404, 201}, {442, 203}}},
    {538, 4, {{484, 168}, {490, 168}, {526, 192}, {530, 192}}},
};

const FireRow* fireRowAt(std::int32_t width) {
    for (const FireRow& row : fireRows) {
        if (row.revealWidth == width) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

TitleScreen titleScreen;

void TitleScreen::load() {
    app.loadSprite(klosedSprite, "bmps\\klosed.bmp");
    app.loadSprite(explosionSprite, "bmps\\explosion.bmp");
    app.loadSprite(fireSprite, "bmps\\fire.bmp");
    app.loadSound(blastSound, blastWave);
    app.loadSound(letterSound, letterWave);
    // Black is transparent in all three pictures.
    fireSprite.setColorKey(0);
    klosedSprite.setColorKey(0);
    explosionSprite.setColorKey(0);
}

void TitleScreen::frame() {
    const bool tick = app.tickFlag();
    if (stepping) {
        if (tick) {
            ++phaseTicks;
        }
        if (phaseTicks > 5) {
            advanceStep();
            phaseTicks = 0;
        }
    }
    // Tested right after the stepping, so the frame that starts the typing already counts its tick.
    if (typing) {
        if (tick) {
            ++phaseTicks;
        }
        if (phaseTicks > 4) {
            ++letterCount;
            letterSound.play();
            phaseTicks = 0;
        }
        if (letterCount > lastLetter) {
            typing = false;
        }
    }
    if (bursting && tick) {
        burst();
    }
    drawFires();
    drawSign();
    drawCursor();
}

void TitleScreen::advanceStep() {
    if (titleStep == -1) {
        burstFrame = 0;
        revealWidth = 0;
        bursting = true;
        titleStep = 0;
    } else if (titleStep < lastRevealStep) {
        burstFrame = 0;
        revealWidth = stepWidths[titleStep];
        ++titleStep;
        // The last position bursts at once, and again in this frame's own burst.
        if (titleStep == lastRevealStep) {
            burst();
        }
    } else {
        revealWidth = signWidth;
        stepping = false;
        typing = true;
        bursting = false;
    }
}

void TitleScreen::burst() {
    ++burstFrame;
    const int offset = burstFrame * explosionStride;
    explosionSprite.blit(offset, 0, offset + 180, 135, revealWidth, 200);

    if (const FireRow* row = fireRowAt(revealWidth)) {
        for (int i = 0; i < row->count; ++i) {
            const int draw = crt::rand();
            if (fireCount < maxFires) {
                fires[fireCount] = {row->spots[i].x, row->spots[i].y, draw % 31};
                ++fireCount;
            }
        }
    }

    // The blast restarts, with a flash, only once it has finished.
    if (!blastSound.isPlaying()) {
        blastSound.play();
        flash();
    }
    if (burstFrame > 9) {
        burstFrame = 0;
    }
}

void TitleScreen::flash() {
    // Shown as one frame of grey 210: the darker greys are drawn over at once.
    for (COLORREF grey = 0; grey <= 210; grey += 30) {
        const COLORREF colour = grey * 0x010101u;
        app.shapes.fillRect(0, 0, 800, 600, colour, colour);
    }
}

void TitleScreen::drawFires() {
    const bool tick = app.tickFlag();
    for (int i = 0; i < fireCount; ++i) {
        Fire& fire = fires[i];
        const int offset = fire.frame * fireStride;
        fireSprite.blit(offset, 0, offset + 30, 53, fire.x, fire.y);
        if (tick) {
            ++fire.frame;
        }
        if (fire.frame > lastFireFrame) {
            fire.frame = 0;
        }
    }
}

void TitleScreen::drawSign() {
    klosedSprite.blit(0, 0, revealWidth, signHeight, 20, 200);
    klosedSprite.blit(0, 118, letterCount * letterWidth, 142, 30, 370);
}

void TitleScreen::drawCursor() {
    const bool tick = app.tickFlag();
    if (!cursorHidden) {
        klosedSprite.blit(0, 142, letterWidth, 162, letterCount * letterWidth + 28, 372);
    }
    // Three ticks shown, three hidden.
    if (tick) {
        ++cursorTicks;
    }
    if (cursorTicks > 2) {
        cursorHidden = !cursorHidden;
        cursorTicks = 0;
    }
}

void TitleScreen::teardown() {
    for (SoundEffect* effect : {&letterSound, &blastSound}) {
        effect->release();
        effect->buffer = nullptr; // a second teardown finds nothing to release
    }
    fireSprite.release();
    explosionSprite.release();
    klosedSprite.release();
}
