// Key presses as the game window gets them: the game's keys as WM_KEYDOWN, the system's as
// WM_SYSKEYDOWN. Both backends post through here, so they decide alike.
#pragma once

#include "platform/window.h"

namespace platform {

// Posts one press (scanCode: PC set 1, 0x80 and up for the E0 keys): WM_SYSKEYDOWN for F10, Alt,
// and any key pressed while Alt is held; WM_KEYDOWN for the rest.
void postKeyPress(HWND window, int scanCode, bool altHeld, bool autoRepeat);

} // namespace platform
