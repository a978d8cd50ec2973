#include "platform/sdl/sdl_joystick.h"

#include <SDL.h>

#include <iterator>

#include "platform/joystick_api.h"
#include "platform/sdl/sdl_init.h"

namespace platform {

namespace {

DWORD axisPosition(SDL_Joystick* device, int axis) {
    if (axis >= SDL_JoystickNumAxes(device)) return 32767;
    return static_cast<DWORD>(SDL_JoystickGetAxis(device, axis) + 32768);
}

// A mapped pad's stick, with its directional pad as the axis' ends.
DWORD padAxis(SDL_GameController* pad, SDL_GameControllerAxis axis, SDL_GameControllerButton low,
              SDL_GameControllerButton high) {
    if (SDL_GameControllerGetButton(pad, low) != 0) return 0;
    if (SDL_GameControllerGetButton(pad, high) != 0) return 65535;
    return static_cast<DWORD>(SDL_GameControllerGetAxis(pad, axis) + 32768);
}

// The face buttons, south first: the south one is button 1.
constexpr SDL_GameControllerButton kFaceButtons[] = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B,
                                                     SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y};

} // namespace

SdlJoystick::~SdlJoystick() {
    if (pad_ != nullptr && SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0) SDL_GameControllerClose(pad_);
    if (device_ != nullptr && SDL_WasInit(SDL_INIT_JOYSTICK) != 0) SDL_JoystickClose(device_);
}

bool SdlJoystick::open() {
    if (device_ != nullptr || pad_ != nullptr) return true;
    // The subsystems start on first use: a game without a pad never pays for them. Starting the
    // game-controller one reads the mappings of SDL_GAMECONTROLLERCONFIG and its file.
    // The pad counts whenever the game is active, which the platform decides: SDL would ignore it
    // while its window lacks the keyboard focus that no window manager may ever hand out.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (!sdl::ensureSubsystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER)) return false;
    SDL_JoystickUpdate();
    if (SDL_NumJoysticks() < 1) return false;
    if (SDL_IsGameController(0)) pad_ = SDL_GameControllerOpen(0);
    if (pad_ == nullptr) device_ = SDL_JoystickOpen(0);
    return device_ != nullptr || pad_ != nullptr;
}

UINT SdlJoystick::padPosition(JoystickReading& reading) {
    SDL_GameControllerUpdate();
    if (!SDL_GameControllerGetAttached(pad_)) return JOYERR_UNPLUGGED;
    reading.x =
        padAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    reading.y =
        padAxis(pad_, SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    for (std::size_t i = 0; i < std::size(kFaceButtons); ++i) {
        if (SDL_GameControllerGetButton(pad_, kFaceButtons[i]) != 0) {
            reading.buttonMask |= 1u << i;
            ++reading.buttonsHeld;
        }
    }
    return JOYERR_NOERROR;
}

UINT SdlJoystick::position(JoystickReading& reading) {
    if (!open()) return JOYERR_UNPLUGGED;
    if (pad_ != nullptr) return padPosition(reading);
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
    limits.xMin = limits.yMin = 0;
    limits.xMax = limits.yMax = 65535;
    const char* name = nullptr;
    if (pad_ != nullptr) {
        if (!SDL_GameControllerGetAttached(pad_)) return JOYERR_UNPLUGGED;
        // What the game sees of a mapped pad: the left stick and the face buttons.
        limits.buttons = static_cast<UINT>(std::size(kFaceButtons));
        limits.axes = 2;
        name = SDL_GameControllerName(pad_);
        limits.name = name != nullptr ? name : "";
        return JOYERR_NOERROR;
    }
    if (!SDL_JoystickGetAttached(device_)) return JOYERR_UNPLUGGED;
    limits.buttons = static_cast<UINT>(SDL_JoystickNumButtons(device_));
    limits.axes = static_cast<UINT>(SDL_JoystickNumAxes(device_));
    name = SDL_JoystickName(device_);
    limits.name = name != nullptr ? name : "";
    return JOYERR_NOERROR;
}

} // namespace platform
