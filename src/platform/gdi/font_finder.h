// Where a font's file lies: fontconfig on the Linux desktop (linux/), the fonts packed with the
// program on the web and on Windows (packed/).
#pragma once

#include <string>

namespace platform::gdi {

struct FontMatch {
    std::string file;
    int index = 0;
    std::string family;
    bool embolden = false; // the match has no bold of its own: embolden the regular outlines
};

// The font file for a family at a weight (OpenType 100 to 1000, 0 for normal) and slant.
bool findFont(const char* family, int weight, bool italic, FontMatch& match);

} // namespace platform::gdi
