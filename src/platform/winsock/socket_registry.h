// The sockets made through the stream-socket service, and what their notifications wait on.
#pragma once

#include <map>

#include "platform/window.h"
#include "platform/winsock.h"

namespace platform::sockets {

enum class Phase { Fresh, Listening, Connecting, Connected, Finished };

struct SocketState {
    int fd = -1;
    Phase phase = Phase::Fresh;
    // Notification by window message (WSAAsyncSelect).
    HWND window = nullptr;
    UINT message = 0;
    long events = 0;
    // Each event is posted once, then waits to be re-armed by recv or accept.
    bool acceptArmed = true;
    bool readArmed = true;
    bool closeReported = false;
};

std::map<ws::SOCKET, SocketState>& registry();
// How many WSAStartup calls have not been cleaned up.
int started();
void changeStartups(int by);
int last();
SocketState* find(ws::SOCKET s);
void setLastError(int code);
// errno as the socket service's error code.

} // namespace platform::sockets
