// The game's SDL window full screen or in a window: what Alt+Enter switches between.
#pragma once

struct SDL_Window;

namespace platform {

// Covers the screen the window is on.
bool showFullscreen(SDL_Window* native);
// A window on the same screen at the largest whole multiple of width by height that fits the
// screen's usable area, centred.
bool showInWindow(SDL_Window* native, int width, int height);

} // namespace platform
