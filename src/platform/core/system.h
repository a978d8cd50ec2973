// Seams between the platform's own services. Not for game code. The services reach the backend
// only through backend() (core/backend.h); what is here is the services' business with each other.
// Implemented in core/system_log.cpp (trace, faults, debugger output), window/window.cpp
// (activation, the game window, full screen) and ddraw/ddraw_display.cpp (lost surfaces).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/core/test_types.h"
#include "platform/win_types.h"

namespace platform::sys {

// core/system_log.cpp and window/window.cpp
void trace(std::string_view event);
// True when the fault was injected (it stays until reset); code receives its result.
bool faulted(Fault fault, HRESULT* code = nullptr);
bool isActive();
HWND gameWindow();
// Full-screen exclusive mode for the window; false when it cannot be had.
bool enterFullscreen(HWND window);
void leaveFullscreen();
void debugOutput(std::string_view text);
// True when a test has made the blitter busy and this call does not wait for it; a call that waits
// sees the blitter through to free.
bool blitterBusy(bool waits);

// ddraw/ddraw_display.cpp
// Marks every surface lost (deactivation while in full-screen exclusive mode).
void loseAllSurfaces();
bool fullscreenExclusive();

} // namespace platform::sys
