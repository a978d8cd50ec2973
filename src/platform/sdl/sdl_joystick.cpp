#include "platform/sdl/sdl_joystick.h"

#include <SDL.h>

#include "platform/joystick_api.h"
#include "platform/sdl/sdl_init.h"

namespace platform {

namespace {

DWORD axisPosition(SDL_Joystick* device, int axis) {
    if (axis >= SDL_JoystickNumAxes(device)) return 32767;
    return static_cast<DWORD>(SDL_JoystickGetAxis(device, axis) + 32768);
}

} // namespace

SdlJoystick::~SdlJoystick() {
    if (device_ != nullptr && SDL_WasInit(SDL_INIT_JOYSTICK) != 0) SDL_JoystickClose(device_);
}

bool SdlJoystick::open() {
    if (device_ != nullptr) return true;
    // The subsystem starts on first use: a game without a pad never pays for it.
    if (!sdl::ensureSubsystem(SDL_INIT_JOYSTICK)) return false;
    SDL_JoystickUpdate();
    if (SDL_NumJoysticks() < 1) return false;
    device_ = SDL_JoystickOpen(0);
    return device_ != nullptr;
}

UINT SdlJoystick::position(JoystickReading& reading) {
    if (!open()) return JOYERR_UNPLUGGED;
    SDL_JoystickUpdate();
    // A pad that went away stays away for this handle: reads fail from then on.
    if (!SDL_JoystickGetAttached(device_)) return JOYERR_UNPLUGGED;
    reading.x = axisPosition(device_, 0);
    reading.y = axisPosition(device_, 1);
    if (SDL_JoystickNumHats(device_) > 0) {
        Uint8 hat = SDL_JoystickGetHat(device_, 0);
        if ((hat & SDL_HAT_UP) != 0) reading.y = 0;
        if ((hat & SDL_HAT_DOWN) != 0) reading.y = 65535;
    }
    int buttons = SDL_JoystickNumButtons(device_);
    for (int i = 0; i < buttons && i < 32; ++i) {
        if (SDL_JoystickGetButton(device_, i) != 0) {
            reading.buttonMask |= 1u << i;
            ++reading.buttonsHeld;
        }
    }
    return JOYERR_NOERROR;
}

UINT SdlJoystick::caps(JoystickLimits& limits) {
    if (!open()) return MMSYSERR_NODRIVER;
    if (!SDL_JoystickGetAttached(device_)) return JOYERR_UNPLUGGED;
    limits.xMin = limits.yMin = 0;
    limits.xMax = limits.yMax = 65535;
    limits.buttons = static_cast<UINT>(SDL_JoystickNumButtons(device_));
    limits.axes = static_cast<UINT>(SDL_JoystickNumAxes(device_));
    const char* name = SDL_JoystickName(device_);
    limits.name = name != nullptr ? name : "";
    return JOYERR_NOERROR;
}

} // namespace platform
