// Joystick 0 of the desktop, read through SDL.
#pragma once

#include "platform/core/backend.h"

struct _SDL_Joystick;

namespace platform {

class SdlJoystick {
public:
    SdlJoystick() = default;
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;
    ~SdlJoystick();

    UINT position(JoystickReading& reading);
    UINT caps(JoystickLimits& limits);

private:
    bool open();
    _SDL_Joystick* device_ = nullptr;
};

} // namespace platform
