// Text on the back buffer with a font and two colours.
#pragma once

#include "gfx/display.h"
#include "platform/gdi.h"

class TextPen {
public:
    Display* display = nullptr;
    HFONT font = nullptr;
    HFONT altFont = nullptr;
    COLORREF backColor = 0;
    COLORREF textColor = 0;

    void init(Display* target);
    void setFont(HFONT newFont);
    void setAltFont(HFONT newFont);
    void useDefaultFont();
    void setBackColor(COLORREF colour);
    void setTextColor(COLORREF colour);
    void print(const char* text, int x, int y);
    void printAlt(const char* text, int x, int y);
    void printf(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));
    void printBox(const char* text, int left, int top, int right, int bottom);
    void printfBox(int left, int top, int right, int bottom, const char* format, ...)
        __attribute__((format(printf, 6, 7)));
};
