// Window-message notification for sockets selected with WSAAsyncSelect.
#pragma once

#include <cstdint>

namespace platform::socket_events {

// Posts the events that became ready since the last poll (never blocks).
void poll();
bool anyWatched();
// Blocks until a watched socket has something to report or timeoutMs passes; true when ready.
bool wait(int timeoutMs);
// Forgets every watch (the windows they notify are gone).
void clear();

} // namespace platform::socket_events
