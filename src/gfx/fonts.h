// The game's fonts and the font maker.
#pragma once

#include "platform/gdi.h"

HFONT makeFont(const char* face, int height);

// Arial of cell height 18 (play HUD, game over) and 20 (help page); made before the entry point.
extern HFONT hudFont;
extern HFONT helpFont;
