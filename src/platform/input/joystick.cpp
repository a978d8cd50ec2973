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
    info->dwXpos = reading.x;
    info->dwYpos = reading.y;
    info->dwZpos = 0;
    info->dwRpos = 0;
    info->dwUpos = 0;
    info->dwVpos = 0;
    info->dwButtons = reading.buttonMask;
    info->dwButtonNumber = reading.buttonsHeld;
    info->dwPOV = 0xFFFF; // centred
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
