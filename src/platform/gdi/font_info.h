// What a font handle resolved to, for the platform's tests. Internal to the platform.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace platform::gdi {

struct FontInfo {
    std::string family; // the family that fontconfig matched
    int ppem = 0;
    int ascent = 0;
    int cellHeight = 0;
};

bool describeFont(HFONT font, FontInfo* info);

} // namespace platform::gdi
