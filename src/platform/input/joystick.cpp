// The multimedia joystick service over joystick 0 of the backend.
#include <algorithm>
#include <cstring>

#include "platform/core/backend.h"
#include "platform/joystick_api.h"

using namespace platform;

namespace {
constexpr UINT kSupportedJoysticks = 16;
} // namespace

UINT joyGetNumDevs() { return kSupportedJoysticks; }

UINT joyGetPosEx(UINT id, JOYINFOEX* info) {
    if (info == nullptr || info->dwSize != sizeof(JOYINFOEX)) return JOYERR_PARMS;
    if (id >= kSupportedJoysticks) return JOYERR_PARMS;
    if (id != JOYSTICKID1) return JOYERR_UNPLUGGED;
    JoystickReading reading;
    UINT result = backend().joystickPosition(reading);
    if (result != JOYERR_NOERROR) return result;
    // Only what the flags ask for; every other reading is 0, so a caller that forgets a flag
    // reads its axis at 0 rather than a stale value.
    const DWORD flags = info->dwFlags;
    info->dwXpos = (flags & JOY_RETURNX) != 0 ? reading.x : 0;
    info->dwYpos = (flags & JOY_RETURNY) != 0 ? reading.y : 0;
    info->dwZpos = 0;
    info->dwRpos = 0;
    info->dwUpos = 0;
    info->dwVpos = 0;
    info->dwButtons = (flags & JOY_RETURNBUTTONS) != 0 ? reading.buttonMask : 0;
    info->dwButtonNumber = (flags & JOY_RETURNBUTTONS) != 0 ? reading.buttonsHeld : 0;
    info->dwPOV = 0;
    return JOYERR_NOERROR;
}

UINT joyGetDevCapsA(UINT_PTR id, JOYCAPSA* caps, UINT size) {
    if (caps == nullptr || size < sizeof(JOYCAPSA)) return JOYERR_PARMS;
    if (id >= kSupportedJoysticks) return JOYERR_PARMS;
    if (id != JOYSTICKID1) return MMSYSERR_NODRIVER;
    JoystickLimits limits;
    UINT result = backend().joystickCaps(limits);
    if (result != JOYERR_NOERROR) return result;
    std::memset(caps, 0, sizeof(JOYCAPSA));
    std::strncpy(caps->szPname, limits.name.c_str(), sizeof(caps->szPname) - 1);
    caps->wXmin = limits.xMin;
    caps->wXmax = limits.xMax;
    caps->wYmin = limits.yMin;
    caps->wYmax = limits.yMax;
    caps->wZmax = 65535;
    caps->wNumButtons = limits.buttons;
    caps->wMaxButtons = std::max<UINT>(limits.buttons, 32);
    caps->wPeriodMin = 10;
    caps->wPeriodMax = 1000;
    caps->wRmax = 65535;
    caps->wUmax = 65535;
    caps->wVmax = 65535;
    caps->wNumAxes = limits.axes;
    caps->wMaxAxes = 6;
    return JOYERR_NOERROR;
}
