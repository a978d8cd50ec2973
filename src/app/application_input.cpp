// Keyboard queries and the asset loaders of the Application.
#include "app/application.h"
#include "gfx/fonts.h"
#include "gfx/sprite.h"
#include "sound/sound_effect.h"

bool Application::keyDown(int scanCode) {
    // A fresh zeroed buffer: while the keyboard cannot be read, no key is down.
    BYTE keys[256] = {};
    if (keyboard == nullptr || scanCode < 0 || scanCode > 255) {
        return false;
    }
    if (keyboard->GetDeviceState(sizeof keys, keys) != DI_OK) {
        return false;
    }
    return (keys[scanCode] & 0x80) != 0;
}

void Application::cursorPos(int& x, int& y) {
    POINT point = {0, 0};
    GetCursorPos(&point);
    x = point.x;
    y = point.y;
}

bool Application::asyncKeyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) != 0; }

bool Application::loadSprite(Sprite& sprite, const char* fileName) { return sprite.load(fileName, &display); }

bool Application::loadSound(SoundEffect& effect, int resourceId) { return effect.load(dsound, resourceId); }

HFONT Application::makeFont(const char* face, int height) { return ::makeFont(face, height); }
