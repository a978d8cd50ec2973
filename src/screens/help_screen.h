// The page of controls and credits shown between the title and play.
#pragma once

#include "gfx/sprite.h"

class HelpScreen {
public:
    Sprite logoSprite;

    void load();
    void frame();
    // Releases the logo while the display that made it still exists.
    void teardown();
};

extern HelpScreen helpScreen;
