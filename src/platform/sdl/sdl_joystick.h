// Joystick 0 of the machine (on a page, the first pad the browser has shown it), read through SDL:
// through its game-controller mapping where it has one (SDL's own, SDL_GAMECONTROLLERCONFIG or the
// file named by SDL_GAMECONTROLLERCONFIG_FILE), as a raw joystick otherwise.
#pragma once

#include "platform/core/backend.h"

struct _SDL_Joystick;
struct _SDL_GameController;

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
    UINT padPosition(JoystickReading& reading);
    _SDL_Joystick* device_ = nullptr;
    _SDL_GameController* pad_ = nullptr;
};

} // namespace platform
