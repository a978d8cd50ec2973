// The entry point's work: start-up, the window procedure and the frame dispatch.
#pragma once

#include "app/screen_id.h"
#include "platform/window.h"

int runGame(HINSTANCE instance);
LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void frameDispatch(ScreenId screen);
// The whole program as main runs it: the long-lived objects around runGame.
int brannocMain(HINSTANCE instance);
