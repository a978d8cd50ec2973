#include "platform/input/key_messages.h"

#include "platform/dinput.h"
#include "platform/input/scan_codes.h"
#include "platform/window/message_queue.h"

namespace platform {

namespace {

bool isAlt(int scanCode) { return scanCode == DIK_LMENU || scanCode == DIK_RMENU; }

// F10, Alt, and any key pressed while Alt is held belong to the system.
bool isSystemKeyPress(int scanCode, bool altHeld) { return altHeld || isAlt(scanCode) || scanCode == DIK_F10; }

} // namespace

void postKeyPress(HWND window, int scanCode, bool altHeld, bool autoRepeat) {
    // Repeat count 1, the set-1 scan code, the E0 flag, Alt held (bit 29), and bit 30 for an auto-repeat.
    LPARAM lParam = 1 | ((scanCode & 0x7F) << 16);
    if (scanCode >= 0x80) lParam |= LPARAM{1} << 24;
    if (altHeld || isAlt(scanCode)) lParam |= LPARAM{1} << 29;
    if (autoRepeat) lParam |= LPARAM{1} << 30;
    UINT message = isSystemKeyPress(scanCode, altHeld) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    postToQueue(window, message, static_cast<WPARAM>(keys::virtualKeyFor(scanCode)), lParam);
}

} // namespace platform
