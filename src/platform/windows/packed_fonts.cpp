// Windows' fonts lie in fonts\ beside the .exe.
#include "platform/packed/packed_fonts.h"

#include "platform/windows/program_folder.h"

namespace platform::gdi {

const std::string& packedFontFolder() {
    static const std::string folder = windows::programFolder() + "fonts\\";
    return folder;
}

} // namespace platform::gdi
