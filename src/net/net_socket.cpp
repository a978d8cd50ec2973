#include "net/net_socket.h"

#include <cstdint>

namespace {

constexpr long selectedEvents = ws::FD_READ | ws::FD_ACCEPT | ws::FD_CONNECT | ws::FD_CLOSE;
constexpr int backlog = 5;

ws::sockaddr_in socketAddress(std::uint32_t address, int port) {
    ws::sockaddr_in result = {};
    result.sin_family = ws::AF_INET;
    const int chosen = port == -1 ? NetSocket::defaultPort : port;
    result.sin_port = ws::htons(static_cast<std::uint16_t>(chosen));
    result.sin_addr.s_addr = address;
    return result;
}

const ws::sockaddr* asGeneric(const ws::sockaddr_in& address) {
    return reinterpret_cast<const ws::sockaddr*>(&address);
}

} // namespace

int NetSocket::open(HWND window, UINT message) {
    notifyWindow = window;
    messageId = message;
    handle = ws::socket(ws::AF_INET, ws::SOCK_STREAM, 0);
    return ws::WSAAsyncSelect(handle, window, message, selectedEvents);
}

int NetSocket::listen(int port) {
    const ws::sockaddr_in address = socketAddress(ws::INADDR_ANY, port);
    // An unbound socket would listen on a port of the system's choosing and report success.
    if (ws::bind(handle, asGeneric(address), sizeof address) == ws::SOCKET_ERROR) {
        return ws::SOCKET_ERROR;
    }
    return ws::listen(handle, backlog);
}

int NetSocket::connect(const char* dottedAddress, int port) {
    const ws::sockaddr_in address = socketAddress(ws::inet_addr(dottedAddress), port);
    return ws::connect(handle, asGeneric(address), sizeof address);
}

ws::SOCKET NetSocket::accept() {
    ws::sockaddr peer = {};
    int length = sizeof peer;
    const ws::SOCKET connection = ws::accept(handle, &peer, &length);
    // The connection takes the listener's place; a failed accept keeps the listener.
    if (connection != ws::INVALID_SOCKET) {
        handle = connection;
    }
    return connection;
}

int NetSocket::send(const char* bytes, int length) { return ws::send(handle, bytes, length, 0); }

int NetSocket::receive(char* buffer, int size) { return ws::recv(handle, buffer, size, 0); }

int NetSocket::close() {
    const int result = ws::closesocket(handle);
    // A closed handle may be handed out again; never close it twice.
    handle = ws::INVALID_SOCKET;
    return result;
}
