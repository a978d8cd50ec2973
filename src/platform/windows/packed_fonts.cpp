// Windows has no fontconfig, and its own fonts differ from one machine to the next: the program
// carries the family that the desktop's fontconfig picks for "Arial", in fonts\ beside the .exe,
// so text comes out in the same pixels as on the desktop.
#include "platform/files/regular_file.h"
#include "platform/gdi/font_finder.h"
#include "platform/windows/program_folder.h"

namespace platform::gdi {

bool findFont(const char*, int weight, bool italic, FontMatch& match) {
    // fontconfig's nearest weight: semibold and heavier take the bold face.
    const bool bold = weight >= 600;
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    match.file = windows::programFolder() + "fonts\\LiberationSans-" + style + ".ttf";
    match.index = 0;
    match.family = "Liberation Sans";
    match.embolden = false;
    return files::RegularFile(match.file).isOpen();
}

} // namespace platform::gdi
