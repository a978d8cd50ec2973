// The panel at the right edge: score, level and lives.
#include "app/globals.h"
#include "game/pub_screen.h"
#include "gfx/fonts.h"

namespace {
constexpr COLORREF panelFill = 0x00000000;
constexpr COLORREF panelOutline = 0x0021EAE8;
constexpr COLORREF labelColour = 0x005986DD;
constexpr COLORREF valueColour = 0x0022D27B;
} // namespace

void PubScreen::drawHud() {
    TextPen& pen = app.textPen;
    pen.setFont(hudFont);
    pen.setBackColor(panelFill);
    app.shapes.fillRect(715, 10, 790, 140, panelFill, panelOutline);

    pen.setTextColor(labelColour);
    pen.print("score", 730, 15);
    pen.print("Level", 732, 55);
    pen.print("Lives", 730, 95);

    pen.setTextColor(valueColour);
    pen.printf(725, 35, "%d", score);
    pen.printf(745, 75, "%d", gameVars.level);
    pen.printf(745, 115, "%d", gameVars.lives);
}
