// What the desktop's operating system asks of the game as its backend starts, once SDL's events
// run: linux/linux_start.cpp, windows/windows_start.cpp.
#pragma once

namespace platform {

void startOnTheSystem();

} // namespace platform
