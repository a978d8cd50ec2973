// The first screen: a sign blasted into view by a row of explosions that leave fires burning,
// then a line typed out under it letter by letter, with a blinking cursor. Paced by ticks only.
#pragma once

#include <cstdint>

#include "gfx/sprite.h"
#include "sound/sound_effect.h"

struct Fire {
    std::int32_t x;
    std::int32_t y;
    std::int32_t frame; // 0 to 32
};

class TitleScreen {
public:
    static constexpr int maxFires = 200;

    Sprite klosedSprite;    // the sign, the text line and the cursor cell
    Sprite explosionSprite; // a strip of explosion frames
    Sprite fireSprite;      // a strip of fire frames
    SoundEffect blastSound;
    SoundEffect letterSound;
    Fire fires[maxFires] = {}; // the first fireCount are burning

    void load();
    void frame();
    void advanceStep();
    void burst();
    void flash();
    void drawFires();
    void drawSign();
    void drawCursor();
    // Effects first, then sprites, while the sound device and the display still exist.
    void teardown();
};

extern TitleScreen titleScreen;

// The sequence's state: lives as long as the program and only moves forward.
extern std::int32_t titleStep;   // step of the reveal, -1 to 7
extern bool stepping;            // the steps advance every 6 ticks
extern bool bursting;            // an explosion on every tick
extern bool typing;              // a letter every 5 ticks
extern std::int32_t phaseTicks;  // ticks towards the next step or the next letter
extern std::int32_t revealWidth; // visible width of the sign; also where explosions are drawn
extern std::int32_t burstFrame;  // explosion frame, 0 to 10
extern std::int32_t fireCount;   // fires in use
extern std::int32_t letterCount; // letters shown; -1 and 0 both show none
extern bool cursorHidden;
extern std::int32_t cursorTicks; // ticks towards the next blink change

// Puts the sequence back at its start, for a program run more than once in one process.
void resetTitleState();
