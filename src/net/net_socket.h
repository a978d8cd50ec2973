// One TCP stream socket whose events arrive as a window message.
#pragma once

#include "platform/window.h"
#include "platform/winsock.h"

class NetSocket {
public:
    static constexpr int defaultPort = 7;

    ws::SOCKET handle = ws::INVALID_SOCKET; // after accept, the connection
    HWND notifyWindow = nullptr;
    UINT messageId = 0;

    // Makes the socket and selects read, accept, connect and close events; from here on it never blocks.
    int open(HWND window, UINT message);
    // Port -1 means the default port; only the low 16 bits of a port count.
    int listen(int port);
    int connect(const char* dottedAddress, int port);
    ws::SOCKET accept();
    int send(const char* bytes, int length);
    int receive(char* buffer, int size);
    UINT notifyMessage() const { return messageId; }
    int close();
};
