// A page lays the picture out itself, and full screen is the page's to ask for (Alt+Enter and its
// button), since a browser grants it only inside the player's own gesture.
#include "platform/desktop/sdl_window_modes.h"

namespace platform {

bool showFullscreen(SDL_Window*) { return true; }

bool showInWindow(SDL_Window*, int, int) { return false; }

} // namespace platform
