// Joystick 0, read afresh on every query, with a dead zone around the centre.
#pragma once

#include <cstdint>

#include "platform/joystick_api.h"

class Joystick {
public:
    JOYINFOEX position = {};
    JOYCAPSA caps = {};
    bool present = false;
    std::uint32_t xLow = 0;
    std::uint32_t xHigh = 0;
    std::uint32_t yLow = 0;
    std::uint32_t yHigh = 0;

    bool calibrate();
    bool up();
    bool down();
    bool left();
    bool right();
    bool centred();
    // Buttons held now; 0 when there is no joystick or the read fails.
    DWORD buttons();
    UINT deviceCount();
    bool probe();
    bool readPosition();
};
