// The main loop, the tick bookkeeping and the small window services of the Application.
#include "app/application.h"

int Application::run(void (*frame)(ScreenId)) {
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) {
                return static_cast<int>(msg.wParam);
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if (active != 0) {
            clearBackBuffer();
            frame(currentScreen);
            flip();
        } else {
            WaitMessage();
        }
    }
}

void Application::close() { SendMessageA(window, WM_CLOSE, 0, 0); }

void Application::countTick() {
    tickCount += 1;
    if (tickCount > 100) {
        tickCount = 0;
    }
}

void Application::refreshTickFlag() {
    if (tickCount != lastSeenTick) {
        lastSeenTick = tickCount;
        tickSeen = true;
    } else {
        tickSeen = false;
    }
}

void Application::startTimer(UINT_PTR id, UINT periodMs) { SetTimer(window, id, periodMs, nullptr); }

void Application::stopTimer(UINT_PTR id) { KillTimer(window, id); }

void Application::hideCursor() { ShowCursor(FALSE); }

void Application::showCursor() { ShowCursor(TRUE); }

LRESULT Application::sendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(window, message, wParam, lParam);
}
