// Stream sockets with the calls and error codes of the socket service (version 1.1), over the
// system's sockets.
#include "platform/winsock.h"

#include <cstring>

#include "platform/core/system.h"
#include "platform/winsock/os_sockets.h"
#include "platform/winsock/socket_registry.h"

namespace platform::sockets {

namespace {
int startups = 0;
thread_local int lastError = 0;
} // namespace

std::map<ws::SOCKET, SocketState>& registry() {
    static auto* sockets = new std::map<ws::SOCKET, SocketState>;
    return *sockets;
}

SocketState* find(ws::SOCKET s) {
    auto found = registry().find(s);
    return found == registry().end() ? nullptr : &found->second;
}

void setLastError(int code) { lastError = code; }

int started() { return startups; }
void changeStartups(int by) { startups += by; }
int last() { return lastError; }

} // namespace platform::sockets

namespace ws {

using namespace platform;
using platform::sockets::Phase;
using platform::sockets::SocketState;

namespace {

int fail(int code) {
    sockets::setLastError(code);
    return SOCKET_ERROR;
}

int failWithLastError() { return fail(os_sockets::lastError()); }

// The socket behind a handle, or null with the error set.
SocketState* usable(SOCKET s) {
    if (sockets::started() <= 0) {
        sockets::setLastError(WSANOTINITIALISED);
        return nullptr;
    }
    SocketState* state = sockets::find(s);
    if (state == nullptr) sockets::setLastError(WSAENOTSOCK);
    return state;
}

bool toAddress(const sockaddr* address, int length, os_sockets::Address& out) {
    if (address == nullptr || length < static_cast<int>(sizeof(sockaddr_in))) return false;
    sockaddr_in in;
    std::memcpy(&in, address, sizeof in);
    if (in.sin_family != AF_INET) return false;
    out = os_sockets::Address{in.sin_addr.s_addr, in.sin_port};
    return true;
}

} // namespace

int WSAStartup(WORD version, WSADATA* data) {
    sys::trace("WSAStartup");
    if (sys::faulted(Fault::WSAStartup)) return WSASYSNOTREADY;
    if (data == nullptr) return WSAEFAULT;
    BYTE major = static_cast<BYTE>(version & 0xFF);
    BYTE minor = static_cast<BYTE>(version >> 8);
    if (major < 1) return WSAVERNOTSUPPORTED;
    std::memset(data, 0, sizeof *data);
    // Version 1.1 is the highest on offer; a request for 1.0 gets 1.0.
    WORD granted = (major == 1 && minor == 0) ? MAKEWORD(1, 0) : MAKEWORD(1, 1);
    if (sys::faulted(Fault::WSAStartupVersion)) granted = MAKEWORD(2, 2);
    data->wVersion = granted;
    data->wHighVersion = granted == MAKEWORD(2, 2) ? granted : MAKEWORD(1, 1);
    std::strcpy(data->szDescription, "Stream sockets");
    std::strcpy(data->szSystemStatus, "Running");
    data->iMaxSockets = 1024;
    sockets::changeStartups(1);
    return 0;
}

int WSACleanup() {
    sys::trace("WSACleanup");
    if (sockets::started() <= 0) return fail(WSANOTINITIALISED);
    sockets::changeStartups(-1);
    return 0;
}

int WSAGetLastError() { return sockets::last(); }

SOCKET socket(int family, int type, int protocol) {
    if (sockets::started() <= 0) {
        sockets::setLastError(WSANOTINITIALISED);
        return INVALID_SOCKET;
    }
    if (family != AF_INET || type != SOCK_STREAM) {
        sockets::setLastError(family != AF_INET ? 10047 : 10044);
        return INVALID_SOCKET;
    }
    int fd = os_sockets::openStream(protocol);
    if (fd < 0) {
        sockets::setLastError(os_sockets::lastError());
        return INVALID_SOCKET;
    }
    auto handle = static_cast<SOCKET>(fd);
    sockets::registry()[handle] = SocketState{fd};
    return handle;
}

int bind(SOCKET s, const sockaddr* address, int length) {
    SocketState* state = usable(s);
    if (state == nullptr) return SOCKET_ERROR;
    os_sockets::Address to{};
    if (!toAddress(address, length, to)) return fail(WSAEFAULT);
    return os_sockets::bindTo(state->fd, to) == 0 ? 0 : failWithLastError();
}

int listen(SOCKET s, int backlog) {
    SocketState* state = usable(s);
    if (state == nullptr) return SOCKET_ERROR;
    if (os_sockets::listenOn(state->fd, backlog) != 0) return failWithLastError();
    state->phase = Phase::Listening;
    return 0;
}

int connect(SOCKET s, const sockaddr* address, int length) {
    SocketState* state = usable(s);
    if (state == nullptr) return SOCKET_ERROR;
    os_sockets::Address to{};
    if (!toAddress(address, length, to)) return fail(WSAEFAULT);
    if (os_sockets::connectTo(state->fd, to) == 0) {
        // Notified sockets still hear of the connection through FD_CONNECT.
        state->phase = state->events != 0 ? Phase::Connecting : Phase::Connected;
        return 0;
    }
    // As on Windows, a connection under way is the error "would block".
    int error = os_sockets::lastError();
    if (error == WSAEWOULDBLOCK) state->phase = Phase::Connecting;
    return fail(error);
}

SOCKET accept(SOCKET s, sockaddr* address, int* length) {
    SocketState* state = usable(s);
    if (state == nullptr) return INVALID_SOCKET;
    if (address != nullptr && (length == nullptr || *length < static_cast<int>(sizeof(sockaddr_in)))) {
        sockets::setLastError(WSAEFAULT);
        return INVALID_SOCKET;
    }
    // Taking a connection re-arms FD_ACCEPT, whether or not one was waiting.
    state->acceptArmed = true;
    os_sockets::Address peer{};
    int fd = os_sockets::acceptFrom(state->fd, &peer);
    if (fd < 0) {
        sockets::setLastError(os_sockets::lastError());
        return INVALID_SOCKET;
    }
    if (address != nullptr) {
        sockaddr_in in{};
        in.sin_family = AF_INET;
        in.sin_port = peer.portNet;
        in.sin_addr.s_addr = peer.addressNet;
        std::memcpy(address, &in, sizeof in);
        *length = sizeof in;
    }
    // The new socket takes on the listener's notifications.
    SocketState accepted{fd};
    accepted.phase = Phase::Connected;
    accepted.window = state->window;
    accepted.message = state->message;
    accepted.events = state->events;
    if (accepted.events != 0) os_sockets::makeNonBlocking(fd);
    auto handle = static_cast<SOCKET>(fd);
    sockets::registry()[handle] = accepted;
    return handle;
}

int send(SOCKET s, const char* bytes, int length, int flags) {
    SocketState* state = usable(s);
    if (state == nullptr) return SOCKET_ERROR;
    if (length < 0 || (bytes == nullptr && length > 0)) return fail(WSAEFAULT);
    long sent = os_sockets::sendOn(state->fd, bytes, length, flags);
    return sent >= 0 ? static_cast<int>(sent) : failWithLastError();
}

int recv(SOCKET s, char* buffer, int length, int flags) {
    SocketState* state = usable(s);
    if (state == nullptr) return SOCKET_ERROR;
    if (length < 0 || (buffer == nullptr && length > 0)) return fail(WSAEFAULT);
    state->readArmed = true;
    long got = os_sockets::receiveOn(state->fd, buffer, length, flags);
    return got >= 0 ? static_cast<int>(got) : failWithLastError();
}

int closesocket(SOCKET s) {
    SocketState* state = usable(s);
    if (state == nullptr) return SOCKET_ERROR;
    int fd = state->fd;
    sockets::registry().erase(s);
    return os_sockets::closeFd(fd) == 0 ? 0 : failWithLastError();
}

std::uint32_t inet_addr(const char* text) {
    if (text == nullptr) return INADDR_NONE;
    return os_sockets::parseAddress(text);
}

std::uint16_t htons(std::uint16_t value) { return os_sockets::toNetwork16(value); }

} // namespace ws
