// The targets with no fontconfig (the page, Windows, whose own fonts differ from one machine to the
// next) carry the family that the desktop's fontconfig picks for "Arial", so text comes out in the
// same pixels as on the desktop.
#include "platform/packed/packed_fonts.h"

#include "platform/files/regular_file.h"
#include "platform/gdi/font_finder.h"

namespace platform::gdi {

bool findFont(const char*, int weight, bool italic, FontMatch& match) {
    // fontconfig's nearest weight: semibold and heavier take the bold face.
    const bool bold = weight >= 600;
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    match.file = packedFontFolder() + "LiberationSans-" + style + ".ttf";
    match.index = 0;
    match.family = "Liberation Sans";
    match.embolden = false;
    return files::RegularFile(match.file).isOpen();
}

} // namespace platform::gdi
