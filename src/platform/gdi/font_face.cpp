// Fonts through FreeType, sized by GDI's cell height.
#include "platform/gdi/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>

#include "platform/files/regular_file.h"
#include "platform/gdi/font_finder.h"

namespace platform::gdi {

namespace {

constexpr int MaxHeight = 1024;

FT_Library library() {
    // Never finalised: fonts made before the entry point live until the process ends.
    static FT_Library lib = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return lib;
}

// A font file's bytes, read once through the platform's own files (a font's path may have any name
// on every target) and kept for the faces that read from them. Never destroyed, as the library.
const std::vector<unsigned char>* fontFile(const std::string& path) {
    static auto* kept = new std::map<std::string, std::vector<unsigned char>>;
    if (auto known = kept->find(path); known != kept->end()) {
        return &known->second;
    }
    files::RegularFile file(path);
    std::vector<unsigned char> bytes = file.isOpen() ? file.read(file.stamp().size) : std::vector<unsigned char>{};
    if (bytes.empty()) {
        return nullptr;
    }
    return &kept->emplace(path, std::move(bytes)).first->second;
}

// a x b / c rounded half away from zero, for non-negative values.
long mulDiv(long a, long b, long c) { return c == 0 ? 0 : (a * b + c / 2) / c; }

// Windows-1252 characters 0x80 to 0x9F; 0 where the code page has none.
constexpr std::array<std::uint16_t, 32> Cp1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

FT_ULong unicodeOf(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) {
        return Cp1252High[c - 0x80u];
    }
    return c;
}

} // namespace

FontFace* FontFace::open(const char* family, int height, int weight, bool italic) {
    FontMatch match;
    if (library() == nullptr || !findFont(family, weight, italic, match)) {
        return nullptr;
    }
    const std::vector<unsigned char>* bytes = fontFile(match.file);
    if (bytes == nullptr) {
        return nullptr;
    }
    auto* font = new FontFace();
    if (FT_New_Memory_Face(library(), bytes->data(), static_cast<FT_Long>(bytes->size()), match.index, &font->face_) !=
        0) {
        font->face_ = nullptr;
        delete font;
        return nullptr;
    }
    font->family_ = match.family;
    font->embolden_ = match.embolden;
    if (!FT_IS_SCALABLE(font->face_) || !font->size(height)) {
        delete font;
        return nullptr;
    }
    return font;
}

FontFace::~FontFace() {
    if (face_ != nullptr) {
        FT_Done_Face(face_);
    }
}

bool FontFace::size(int height) {
    const long upem = face_->units_per_EM;
    long winAscent = face_->ascender;
    long winDescent = -face_->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        winAscent = os2->usWinAscent;
        winDescent = os2->usWinDescent;
    }
    const long units = winAscent + winDescent;
    if (upem <= 0 || units <= 0) {
        return false;
    }
    height = std::clamp(height == 0 ? 16 : height, -MaxHeight, MaxHeight);
    if (height > 0) {
        // The cell is ascent plus descent; the em is what fits in it.
        long ppem = mulDiv(upem, height, units);
        if (ppem > 1 && mulDiv(ppem, units, upem) > height) {
            --ppem;
        }
        ppem_ = static_cast<int>(std::max(1L, ppem));
        ascent_ = static_cast<int>(mulDiv(winAscent, ppem_, upem));
        descent_ = height - ascent_;
    } else {
        ppem_ = -height;
        ascent_ = static_cast<int>(mulDiv(winAscent, ppem_, upem));
        descent_ = static_cast<int>(mulDiv(winDescent, ppem_, upem));
    }
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(ppem_)) != 0) {
        return false;
    }
    underlineThickness_ = std::max(1, static_cast<int>(mulDiv(face_->underline_thickness, ppem_, upem)));
    underlineOffset_ = std::max(1, static_cast<int>(mulDiv(-face_->underline_position, ppem_, upem)));
    underlineOffset_ = std::max(0, std::min(underlineOffset_, descent_ - underlineThickness_));
    if (os2 != nullptr && os2->yStrikeoutSize > 0) {
        strikeThickness_ = std::max(1, static_cast<int>(mulDiv(os2->yStrikeoutSize, ppem_, upem)));
        strikeOffset_ = static_cast<int>(mulDiv(std::max<long>(0, os2->yStrikeoutPosition), ppem_, upem));
    } else {
        strikeThickness_ = underlineThickness_;
        strikeOffset_ = ascent_ / 3;
    }
    return true;
}

const Glyph& FontFace::glyph(unsigned char c) {
    Glyph& g = glyphs_[c];
    if (g.ready) {
        return g;
    }
    g.ready = true;
    const FT_UInt index = FT_Get_Char_Index(face_, unicodeOf(c));
    if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_MONO) != 0) {
        return g;
    }
    FT_GlyphSlot slot = face_->glyph;
    if (embolden_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // A bold face asked of a family that has none: thicken the outline by about 1/24 em.
        const FT_Pos strength = FT_MulFix(face_->units_per_EM, face_->size->metrics.y_scale) / 24;
        FT_Outline_Embolden(&slot->outline, strength);
        slot->advance.x += strength;
    }
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return g;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bitmap.width);
    g.rows = static_cast<int>(bitmap.rows);
    g.mask.assign(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.rows), 0);
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < g.width; ++x) {
            const bool inked =
                bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] & (0x80 >> (x & 7))) != 0 : row[x] >= 128;
            g.mask[static_cast<std::size_t>(y * g.width + x)] = inked ? 1 : 0;
        }
    }
    return g;
}

int FontFace::extent(const char* text, int count) {
    int total = 0;
    for (int i = 0; i < count; ++i) {
        total += glyph(static_cast<unsigned char>(text[i])).advance;
    }
    return total;
}

} // namespace platform::gdi
