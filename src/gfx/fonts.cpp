// The font maker behind the game's fonts.
#include "gfx/fonts.h"

HFONT hudFont = nullptr;
HFONT helpFont = nullptr;

HFONT makeFont(const char* face, int height) {
    return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_MODERN | DEFAULT_PITCH, face);
}
