// Joystick 0: calibrated once from its axis limits, read afresh on every query.
#include "app/joystick.h"

namespace {

constexpr DWORD kJoyInfoSize = 52;
constexpr UINT kJoyCapsSize = 404;

struct Thresholds {
    std::uint32_t low;
    std::uint32_t high;
};

// Dead zone of 10 per cent of the range either side of the centre, counted from 0.
Thresholds deadZone(std::uint32_t min, std::uint32_t max) {
    const std::uint32_t range = max - min;
    const std::uint32_t band = range * 20 / 100;
    const std::uint32_t centre = range / 2;
    const std::uint32_t high = centre + band / 2;
    return {high - band, high};
}

} // namespace

bool Joystick::probe() {
    position.dwSize = kJoyInfoSize;
    present = joyGetPosEx(JOYSTICKID1, &position) == JOYERR_NOERROR;
    return present;
}

bool Joystick::calibrate() {
    if (!probe()) {
        return false;
    }
    joyGetDevCapsA(JOYSTICKID1, &caps, kJoyCapsSize);
    const Thresholds x = deadZone(caps.wXmin, caps.wXmax);
    const Thresholds y = deadZone(caps.wYmin, caps.wYmax);
    xLow = x.low;
    xHigh = x.high;
    yLow = y.low;
    yHigh = y.high;
    return true;
}

bool Joystick::readPosition() {
    if (!present) {
        return false;
    }
    position.dwSize = kJoyInfoSize;
    position.dwFlags = JOY_RETURNX | JOY_RETURNY;
    return joyGetPosEx(JOYSTICKID1, &position) == JOYERR_NOERROR;
}

bool Joystick::up() { return readPosition() && position.dwYpos < yLow; }

bool Joystick::down() { return readPosition() && position.dwYpos > yHigh; }

bool Joystick::left() { return readPosition() && position.dwXpos < xLow; }

bool Joystick::right() { return readPosition() && position.dwXpos > xHigh; }

bool Joystick::centred() {
    return readPosition() && yLow < position.dwYpos && position.dwYpos < yHigh && xLow < position.dwXpos &&
           position.dwXpos < xHigh;
}

DWORD Joystick::buttons() {
    if (!present) {
        return 0;
    }
    position.dwSize = kJoyInfoSize;
    position.dwFlags = JOY_RETURNBUTTONS;
    // A failed read (pad unplugged) holds no button, whatever an earlier read left.
    if (joyGetPosEx(JOYSTICKID1, &position) != JOYERR_NOERROR) {
        position.dwButtonNumber = 0;
        return 0;
    }
    return position.dwButtonNumber;
}

UINT Joystick::deviceCount() { return joyGetNumDevs(); }
