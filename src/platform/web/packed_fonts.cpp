// The page's fonts lie in fonts/ beside bmps/ in the folder the program starts in, so text comes
// out the same wherever the game's working folder goes later.
#include "platform/packed/packed_fonts.h"

#include <unistd.h>

#include <climits>

namespace platform::gdi {

namespace {

std::string startFolder() {
    char path[PATH_MAX];
    return ::getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string(".");
}

// Taken before the entry point, as the program starts.
const std::string fontFolder = startFolder() + "/fonts/";

} // namespace

const std::string& packedFontFolder() { return fontFolder; }

} // namespace platform::gdi
