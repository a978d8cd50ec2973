// Where the fonts packed with the program lie: each target that packs them says where (web/ and
// windows/), and packed_fonts.cpp picks the file there.
#pragma once

#include <string>

namespace platform::gdi {

// The folder of the packed fonts, ending in the folder separator.
const std::string& packedFontFolder();

} // namespace platform::gdi
