// The desktop's events as window messages.
#pragma once

namespace platform {

// Takes every pending SDL event and posts what the game window would get for it.
void pumpSdlEvents();

} // namespace platform
