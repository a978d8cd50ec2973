// The game's SDL window full screen or in a window: what Alt+Enter switches between.
#pragma once

union SDL_Event;
struct SDL_Window;

namespace platform {

// Covers the screen the window is on.
bool showFullscreen(SDL_Window* native);
// A window on the same screen at the largest whole multiple of width by height that fits the
// screen's usable area, centred.
bool showInWindow(SDL_Window* native, int width, int height);

// Alt+Enter (either Enter, either Alt): the desktop's switch, never a key of the game's.
bool isSwitchKey(const SDL_Event& event);
// Takes the focus changes that a switch brings out of the queue: a switch is no deactivation.
void dropFocusChanges();

} // namespace platform
