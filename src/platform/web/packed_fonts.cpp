// A page has no fontconfig: it carries the family that the desktop's fontconfig picks for "Arial",
// packed into fonts/ beside bmps/ in the folder the program starts in, so text comes out in the
// same pixels wherever the game's working folder goes later.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "platform/gdi/font_finder.h"

namespace platform::gdi {

namespace {

std::string startFolder() {
    char path[PATH_MAX];
    return ::getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string(".");
}

// Taken before the entry point, as the program starts.
const std::string fontFolder = startFolder() + "/fonts/";

} // namespace

bool findFont(const char*, int weight, bool italic, FontMatch& match) {
    // fontconfig's nearest weight: semibold and heavier take the bold face.
    const bool bold = weight >= 600;
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    match.file = fontFolder + "LiberationSans-" + style + ".ttf";
    match.index = 0;
    match.family = "Liberation Sans";
    match.embolden = false;
    struct stat info {};
    return stat(match.file.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace platform::gdi
