// The game's own 5 by 7 letter shapes, so text never depends on installed fonts.
#pragma once

#include <string_view>

#include "image.h"

namespace assetgen {

constexpr int kGlyphW = 5;
constexpr int kGlyphH = 7;

// True where the glyph of ch has ink at column x, row y. Unknown characters are blank.
bool glyphInk(char ch, int x, int y);

// Draws text with each font pixel as an sx by sy block; cells are advance * sx apart.
void drawText(Image& img, std::string_view text, int x, int y, int sx, int sy, int advance, Rgb c);
int textWidth(std::string_view text, int sx, int advance);

} // namespace assetgen
