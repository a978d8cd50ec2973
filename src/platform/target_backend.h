// The backend of the target the game is built for: the desktop's window or the page's canvas.
// The game's main chooses it; tests choose the headless one instead (platform/headless.h).
#pragma once

namespace platform {

void useTargetBackend();

} // namespace platform
