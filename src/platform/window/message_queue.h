// Internal entry points of the message queue for the backends and the socket watcher.
#pragma once

#include "platform/window.h"

namespace platform {

void postToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Whether a message of this kind for that window is already waiting.
bool isQueued(HWND window, UINT message);
// Drops every waiting message for a window that is gone.
void dropMessagesFor(HWND window);

} // namespace platform
