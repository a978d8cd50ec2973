// The play panel drawn straight with the pen for the figures given, to hold a frame's panel against.
#pragma once

#include "app/globals.h"
#include "gfx/fonts.h"

inline void drawHudPanel(const char* score, const char* level, const char* lives) {
    TextPen& pen = app.textPen;
    pen.setFont(hudFont);
    pen.setBackColor(0);
    app.shapes.fillRect(715, 10, 790, 140, 0, 0x21EAE8);
    pen.setTextColor(0x5986DD);
    pen.print("score", 730, 15);
    pen.print("Level", 732, 55);
    pen.print("Lives", 730, 95);
    pen.setTextColor(0x22D27B);
    pen.print(score, 725, 35);
    pen.print(level, 745, 75);
    pen.print(lives, 745, 115);
}
