// Internal seams between the platform's services and its backends. Not for game code.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/headless.h"
#include "platform/win_types.h"

namespace platform::sys {

// --- provided by the window/system side ---
void trace(std::string_view event);
// True when the fault was injected (it stays until reset); code receives its result.
bool faulted(Fault fault, HRESULT* code = nullptr);
// False where there is no display to show the game on.
bool hasDisplay();
int desktopBitsPerPixel();
bool isActive();
HWND gameWindow();
// Full-screen exclusive mode for the window; false when it cannot be had.
bool enterFullscreen(HWND window);
void leaveFullscreen();
// Presents one frame of 0x00RRGGBB pixels and paces: at most 60 a second, sleeping, not spinning.
void present(const std::uint32_t* pixels, int width, int height, int pitchBytes);
void debugOutput(std::string_view text);

// --- provided by the display side ---
// Marks every surface lost (deactivation while in full-screen exclusive mode).
void loseAllSurfaces();
bool fullscreenExclusive();

} // namespace platform::sys
