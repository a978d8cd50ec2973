// Text on the back buffer: plain, underlined, formatted and boxed.
#include "gfx/text_pen.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/back_buffer_dc.h"
#include "gfx/gdi_object.h"

namespace {

// The pen's own face: 13-pixel Arial, crisp edges.
HFONT makePenFont(bool underlined) {
    return CreateFontA(13, 0, 0, 0, FW_NORMAL, FALSE, underlined ? TRUE : FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, VARIABLE_PITCH, "Arial");
}

// Formats into a buffer of exactly the text's size, however long the numbers grow.
std::string formatText(const char* format, std::va_list args) {
    std::va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

// Colours and font for one call; the context is handed back straight after, so its old font
// need not be put back.
void applyPen(HDC dc, HFONT font, COLORREF textColor, COLORREF backColor) {
    SetTextColor(dc, textColor);
    SetBkColor(dc, backColor);
    if (font != nullptr) {
        SelectObject(dc, gdiObject(font));
    }
}

void drawText(Display* display, HFONT font, COLORREF textColor, COLORREF backColor, const char* text, int x, int y) {
    BackBufferDc dc(display);
    if (dc.get() == nullptr) {
        return;
    }
    applyPen(dc.get(), font, textColor, backColor);
    TextOutA(dc.get(), x, y, text, static_cast<int>(std::strlen(text)));
}

} // namespace

void TextPen::init(Display* target) {
    display = target;
    font = makePenFont(false);
    altFont = makePenFont(true);
    backColor = RGB(1, 0, 0); // almost black: red 1, never the pure black 0
    textColor = RGB(255, 0, 0);
}

void TextPen::setFont(HFONT newFont) { font = newFont; }

void TextPen::setAltFont(HFONT newFont) { altFont = newFont; }

void TextPen::useDefaultFont() { font = makePenFont(false); }

void TextPen::setBackColor(COLORREF colour) { backColor = colour; }

void TextPen::setTextColor(COLORREF colour) { textColor = colour; }

void TextPen::print(const char* text, int x, int y) { drawText(display, font, textColor, backColor, text, x, y); }

void TextPen::printAlt(const char* text, int x, int y) { drawText(display, altFont, textColor, backColor, text, x, y); }

void TextPen::printf(int x, int y, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = formatText(format, args);
    va_end(args);
    print(text.c_str(), x, y);
}

void TextPen::printBox(const char* text, int left, int top, int right, int bottom) {
    RECT box;
    SetRect(&box, left, top, right, bottom);
    BackBufferDc dc(display);
    if (dc.get() == nullptr) {
        return;
    }
    applyPen(dc.get(), font, textColor, backColor);
    DrawTextA(dc.get(), text, static_cast<int>(std::strlen(text)), &box, DT_EDITCONTROL);
}

void TextPen::printfBox(int left, int top, int right, int bottom, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = formatText(format, args);
    va_end(args);
    printBox(text.c_str(), left, top, right, bottom);
}
