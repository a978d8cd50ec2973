// The desktop's events as window messages.
#pragma once

#include <functional>

union SDL_Event;

namespace platform {

// Takes every pending SDL event and posts what the game window would get for it, except those
// that ownEvent takes for the backend itself (by returning true).
void pumpSdlEvents(const std::function<bool(const SDL_Event&)>& ownEvent = {});

// Alt+Enter (either Enter, either Alt): the desktop's switch, never a key of the game's.
bool isSwitchKey(const SDL_Event& event);
// Takes the focus changes that a switch brings out of the queue: a switch is no deactivation.
void dropFocusChanges();
// Waits for an SDL event, at most timeoutMs (-1: no limit); true when one came.
bool waitForSdlEvent(int timeoutMs);

// Shows a box with the text under the caption and an OK button, until it is dismissed.
void showSdlMessageBox(const char* text, const char* caption, bool error);

// SIGHUP (the terminal closing) ends the game as SIGTERM does: a quit event, then WM_CLOSE.
// Call once SDL's events run; a SIGHUP that is ignored (nohup) stays ignored. posix/posix_hang_up.cpp;
// Windows has no hang-up (windows/windows_hang_up.cpp).
void closeOnHangUp();

} // namespace platform
