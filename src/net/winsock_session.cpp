#include "net/winsock_session.h"

#include "platform/window.h"
#include "platform/winsock.h"

void WinsockSession::start() {
    ws::WSADATA data = {};
    if (ws::WSAStartup(ws::MAKEWORD(1, 1), &data) != 0) {
        MessageBoxA(nullptr, "Error Couldnt Init Winsock!", "Aborting", MB_ICONINFORMATION);
        PostQuitMessage(0);
        return;
    }
    // Any other version is given back at once, silently.
    if ((data.wVersion & 0xFF) != 1 || (data.wVersion >> 8) != 1) {
        ws::WSACleanup();
    }
}

void WinsockSession::cleanup() { ws::WSACleanup(); }
