// The one engine object: window, display, devices, tick bookkeeping and the current screen.
#pragma once

#include <cstdint>

#include "app/screen_id.h"
#include "gfx/display.h"
#include "gfx/shape_painter.h"
#include "gfx/text_pen.h"
#include "platform/ddraw.h"
#include "platform/dinput.h"
#include "platform/dsound.h"
#include "platform/window.h"

class Sprite;
class SoundEffect;

class Application {
public:
    ScreenId currentScreen = SCREEN_TITLE;
    DDBLTFX clearFx = {};
    std::int32_t lastSeenTick = 0;
    std::int32_t tickCount = 0;
    bool tickSeen = false;
    HWND window = nullptr;
    Display display = {};
    TextPen textPen;
    ShapePainter shapes;
    std::int32_t active = 0;
    IDirectInput* dinput = nullptr;
    IDirectInputDevice* keyboard = nullptr;
    IDirectSound* dsound = nullptr;

    // Set-up and the per-frame display work.
    bool create(const char* className, int width, int height, int depthCode, WNDPROC windowProc, HINSTANCE instance,
                HICON icon, HCURSOR cursor);
    bool createSurfaces();
    bool createSound();
    void createKeyboard();
    void clearBackBuffer();
    void flip();
    void releaseDisplay();

    // The main loop; returns the exit code.
    int run(void (*frame)(ScreenId));

    ScreenId screen() const { return currentScreen; }
    void setScreen(ScreenId id) { currentScreen = id; }
    void close();

    void countTick();
    void refreshTickFlag();
    bool tickFlag() const { return tickSeen; }

    void startTimer(UINT_PTR id, UINT periodMs);
    void stopTimer(UINT_PTR id);
    void hideCursor();
    void showCursor();
    LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Input.
    bool keyDown(int scanCode);
    void cursorPos(int& x, int& y);
    bool asyncKeyDown(int virtualKey);

    // Assets.
    bool loadSprite(Sprite& sprite, const char* fileName);
    bool loadSound(SoundEffect& effect, int resourceId);
    HFONT makeFont(const char* face, int height);
};
