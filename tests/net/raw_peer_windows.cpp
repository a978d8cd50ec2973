// The peer over Windows' own Winsock; only this test file sees <winsock2.h>.
#include <winsock2.h>

#include <cstdint>

#include "raw_peer.h"

namespace raw_peer {

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A socket of the system's own, Winsock started for it first (it counts its users).
SOCKET openSocket() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started ? ::socket(AF_INET, SOCK_STREAM, 0) : INVALID_SOCKET;
}

} // namespace

bool connects(int port) {
    const SOCKET s = openSocket();
    const sockaddr_in address = loopback(port);
    const bool reached =
        s != INVALID_SOCKET && ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    hangUp(s == INVALID_SOCKET ? -1 : static_cast<int>(s));
    return reached;
}

int listening(int port) {
    // Windows' SO_REUSEADDR would let it share a port in use; its default already binds again at
    // once after the last listener closed.
    const SOCKET s = openSocket();
    const sockaddr_in address = loopback(port);
    if (s == INVALID_SOCKET) return -1;
    if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(s, 1) != 0) {
        ::closesocket(s);
        return -1;
    }
    return static_cast<int>(s);
}

void hangUp(int socket) {
    if (socket >= 0) {
        ::closesocket(static_cast<SOCKET>(socket));
    }
}

} // namespace raw_peer
