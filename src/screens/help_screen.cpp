#include "screens/help_screen.h"

#include "app/globals.h"
#include "gfx/fonts.h"

namespace {

constexpr COLORREF textColour = 0x002BF517;
constexpr COLORREF logoKey = 0x00FFC411;
constexpr COLORREF panelFill = 0x00102870;
constexpr COLORREF panelOutline = 0x00C0C0BF;
constexpr COLORREF controlsBack = 0x00000000;
constexpr COLORREF creditsFill = 0x00CA0210;
constexpr COLORREF creditsOutline = 0x00A5CB86;

struct Line {
    int y;
    const char* text;
};

// The runs of spaces line the colons up in the help font.
constexpr Line controlLines[] = {
    {460, "Up arrow or joystick up              : Move Up"},
    {480, "Down arrow or joystick down      : Move Down"},
    {500, "Space or button 1                      : pour & serve!"},
    {520, "Escape                                     : Exit"},
};
constexpr int controlsX = 20;

constexpr Line creditLines[] = {
    {460, "Made by Brannoc"},
    {480, "The Brannoc crew"},
    {500, "crew@brannoc.test"},
};
constexpr int creditsX = 500;

} // namespace

HelpScreen helpScreen;

void HelpScreen::load() {
    // Set once here: nothing else prints before the page is left.
    app.textPen.setFont(helpFont);
    app.textPen.setTextColor(textColour);
    app.loadSprite(logoSprite, "bmps\\vantor.bmp");
    logoSprite.setColorKey(logoKey);
}

void HelpScreen::frame() {
    app.shapes.fillRect(100, 50, 700, 400, panelFill, panelOutline);
    logoSprite.blitWhole(200, 55);

    app.textPen.setBackColor(controlsBack);
    for (const Line& line : controlLines) {
        app.textPen.print(line.text, controlsX, line.y);
    }

    app.shapes.fillRect(490, 450, 690, 530, creditsFill, creditsOutline);
    // The box's own colour behind the credits, so no band shows around them.
    app.textPen.setBackColor(creditsFill);
    for (const Line& line : creditLines) {
        app.textPen.print(line.text, creditsX, line.y);
    }
}

void HelpScreen::teardown() { logoSprite.release(); }
