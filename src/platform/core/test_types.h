// What tests script and read, as plain types: the faults that can be injected, the headless
// backend's options, the message boxes shown and a joystick's scripted state. The services
// include this header without seeing the scripted backend itself.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock/cycle_counter.h"
#include "platform/win_types.h"

namespace platform {

// Everything in the platform that can be made to fail at set-up.
enum class Fault {
    CreateWindow,
    DirectDrawCreate,
    SetCooperativeLevel,
    SetDisplayMode,
    CreateSurface, // the primary of the flip chain
    CreateOffscreenSurface,
    GetAttachedSurface,
    DirectSoundCreate,
    SoundCooperativeLevel,
    CreatePrimarySoundBuffer,
    CreateSoundBuffer, // secondary (static) buffers
    DirectInputCreate,
    CreateKeyboardDevice,
    LoadCursor,
    WSAStartup,
    WSAStartupVersion, // WSAStartup succeeds but grants version 2.2
    Count
};

struct HeadlessOptions {
    int desktopBits = 32;                                    // 8, 16, 24 or 32
    bool soundDevice = true;                                 // false: DirectSoundCreate fails
    double msPerFlip = 0.0;                                  // virtual time that each Flip lets pass
    std::uint64_t cyclesPerSecond = kNominalCyclesPerSecond; // the time-stamp counter's rate
    std::int64_t calendarTime = 1'000'000'000;               // what CalendarTimeSeconds returns
    bool record = true; // keeps the records that tests read: trace, message boxes, sounds, debugger output
};

struct MessageBoxRecord {
    std::string text;
    std::string caption; // empty when none was given
    UINT type;
};

struct JoystickState {
    bool present = false;     // answers reads at all
    bool capsReadable = true; // joyGetDevCapsA succeeds
    UINT xMin = 0, xMax = 65535, yMin = 0, yMax = 65535;
    DWORD x = 32767, y = 32767;
    DWORD buttonsHeld = 0; // reported as dwButtonNumber
};

} // namespace platform
