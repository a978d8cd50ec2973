// The mouse pointer: its display count, position and the stock arrow.
#include "platform/core/backend.h"
#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/window.h"

using namespace platform;

struct CursorObject {};

int ShowCursor(BOOL show) {
    int& count = platformState().cursorCount;
    count += show ? 1 : -1;
    // Shown while the count is zero or more.
    backend().setCursorVisible(count >= 0);
    return count;
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) return FALSE;
    *point = backend().cursorPos();
    return TRUE;
}

HCURSOR LoadCursorA(HINSTANCE instance, const char* name) {
    if (sys::faulted(Fault::LoadCursor)) return nullptr;
    // Only the system's standard arrow exists.
    if (instance != nullptr || name != IDC_ARROW) return nullptr;
    static CursorObject* const arrow = new CursorObject;
    return arrow;
}
