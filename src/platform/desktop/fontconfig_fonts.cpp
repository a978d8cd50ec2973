// The desktop finds its fonts through fontconfig, which resolves "Arial" to its metric twin.
#include <fontconfig/fontconfig.h>

#include <algorithm>

#include "platform/gdi/font_finder.h"

namespace platform::gdi {

bool findFont(const char* family, int weight, bool italic, FontMatch& match) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return false;
    }
    const char* wanted = (family != nullptr && family[0] != '\0') ? family : "sans-serif";
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(wanted));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight <= 0 ? 400 : std::min(weight, 1000)));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (found == nullptr) {
        return false;
    }
    FcChar8* file = nullptr;
    FcChar8* name = nullptr;
    FcBool embolden = FcFalse;
    const bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch;
    if (ok) {
        match.file = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(found, FC_INDEX, 0, &match.index) != FcResultMatch) {
            match.index = 0;
        }
        if (FcPatternGetString(found, FC_FAMILY, 0, &name) == FcResultMatch) {
            match.family = reinterpret_cast<const char*>(name);
        }
        match.embolden = FcPatternGetBool(found, FC_EMBOLDEN, 0, &embolden) == FcResultMatch && embolden;
    }
    FcPatternDestroy(found);
    return ok;
}

} // namespace platform::gdi

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRANNOC_ADDRESS_SANITIZER 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define BRANNOC_ADDRESS_SANITIZER 1
#endif

#ifdef BRANNOC_ADDRESS_SANITIZER
// fontconfig loses a few hundred bytes while it parses its configuration files; that is the
// library's, and every program that makes a font would otherwise fail the leak check.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
