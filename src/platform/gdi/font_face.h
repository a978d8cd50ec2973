// One font as GDI sizes it: found through fontconfig, rasterised by FreeType without
// antialiasing, with its glyph bitmaps kept once rendered. Internal to the platform.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct FT_FaceRec_;

namespace platform::gdi {

struct Glyph {
    bool ready = false;
    int left = 0; // from the pen position to the bitmap's first column
    int top = 0;  // from the baseline up to the bitmap's first row
    int width = 0;
    int rows = 0;
    int advance = 0;
    std::vector<std::uint8_t> mask; // width x rows, 1 where the glyph is inked
};

class FontFace {
public:
    // A positive height is the character cell (ascent plus descent), a negative one the em
    // height, 0 a default size. Null when no font can be found or read.
    static FontFace* open(const char* family, int height, int weight, bool italic);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::string& family() const { return family_; }
    int ppem() const { return ppem_; }
    int ascent() const { return ascent_; }
    int cellHeight() const { return ascent_ + descent_; }
    // Lines below (underline) and above (strike-out) the baseline, in pixels.
    int underlineOffset() const { return underlineOffset_; }
    int underlineThickness() const { return underlineThickness_; }
    int strikeOffset() const { return strikeOffset_; }
    int strikeThickness() const { return strikeThickness_; }

    // The glyph of one character of the Windows ANSI code page.
    const Glyph& glyph(unsigned char c);
    // The sum of the advances.
    int extent(const char* text, int count);

private:
    FontFace() = default;
    bool size(int height);

    FT_FaceRec_* face_ = nullptr;
    std::string family_;
    bool embolden_ = false;
    int ppem_ = 0;
    int ascent_ = 0;
    int descent_ = 0;
    int underlineOffset_ = 0;
    int underlineThickness_ = 1;
    int strikeOffset_ = 0;
    int strikeThickness_ = 1;
    std::array<Glyph, 256> glyphs_;
};

} // namespace platform::gdi
