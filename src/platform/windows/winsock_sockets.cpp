// The stream-socket service over Windows' own Winsock. Its error codes are the service's own.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/winsock/os_sockets.h"

namespace platform::os_sockets {

namespace {

sockaddr_in toSystem(Address address) {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = address.portNet;
    result.sin_addr.s_addr = address.addressNet;
    return result;
}

SOCKET systemSocket(int fd) { return static_cast<SOCKET>(fd); }

// Winsock wants starting once per process before the first socket; the game's own start-up is
// the service's, and knows nothing of this one.
bool started() {
    static const bool ready = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

} // namespace

// Windows keeps socket handles below 2^31, as the service's callers do.
int openStream(int protocol) {
    if (!started()) return -1;
    SOCKET s = WSASocketW(AF_INET, SOCK_STREAM, protocol, nullptr, 0, WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    return s == INVALID_SOCKET ? -1 : static_cast<int>(s);
}

int makeNonBlocking(int fd) {
    u_long on = 1;
    return ioctlsocket(systemSocket(fd), FIONBIO, &on) == 0 ? 0 : -1;
}

int bindTo(int fd, Address address) {
    // Windows lets a second socket take a port in use with SO_REUSEADDR; its default already lets a
    // listener bind again at once after the last one closed.
    sockaddr_in system = toSystem(address);
    return bind(systemSocket(fd), reinterpret_cast<const sockaddr*>(&system), sizeof system) == 0 ? 0 : -1;
}

int listenOn(int fd, int backlog) { return listen(systemSocket(fd), backlog) == 0 ? 0 : -1; }

int connectTo(int fd, Address address) {
    sockaddr_in system = toSystem(address);
    return connect(systemSocket(fd), reinterpret_cast<const sockaddr*>(&system), sizeof system) == 0 ? 0 : -1;
}

int acceptFrom(int fd, Address* peer) {
    sockaddr_in system{};
    int length = sizeof system;
    SOCKET accepted = accept(systemSocket(fd), reinterpret_cast<sockaddr*>(&system), &length);
    if (accepted == INVALID_SOCKET) return -1;
    if (peer != nullptr) *peer = Address{system.sin_addr.s_addr, system.sin_port};
    return static_cast<int>(accepted);
}

long sendOn(int fd, const char* bytes, int length, int flags) {
    int sent = send(systemSocket(fd), bytes, length, (flags & 0x1) != 0 ? MSG_OOB : 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

long receiveOn(int fd, char* buffer, int length, int flags) {
    int system = ((flags & 0x1) != 0 ? MSG_OOB : 0) | ((flags & 0x2) != 0 ? MSG_PEEK : 0);
    int got = recv(systemSocket(fd), buffer, length, system);
    return got == SOCKET_ERROR ? -1 : got;
}

int closeFd(int fd) { return closesocket(systemSocket(fd)) == 0 ? 0 : -1; }

int pendingError(int fd) {
    int error = 0;
    int length = sizeof error;
    if (getsockopt(systemSocket(fd), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0)
        return WSAGetLastError();
    return error;
}

bool isListening(int fd) {
    BOOL listening = FALSE;
    int length = sizeof listening;
    return getsockopt(systemSocket(fd), SOL_SOCKET, SO_ACCEPTCONN, reinterpret_cast<char*>(&listening), &length) == 0 &&
           listening != FALSE;
}

bool isConnected(int fd) {
    sockaddr_in peer{};
    int length = sizeof peer;
    return getpeername(systemSocket(fd), reinterpret_cast<sockaddr*>(&peer), &length) == 0;
}

int peekState(int fd) {
    // Asked only of a socket that polled readable, or one that never blocks.
    char byte;
    int got = recv(systemSocket(fd), &byte, 1, MSG_PEEK);
    if (got > 0) return 1;
    if (got == 0) return 0;
    return WSAGetLastError() == WSAEWOULDBLOCK ? 2 : -1;
}

std::uint32_t parseAddress(const char* text) { return inet_addr(text); }

std::uint16_t toNetwork16(std::uint16_t value) { return htons(value); }

int lastError() { return WSAGetLastError(); }

bool pollAll(std::vector<Watch>& watches, int timeoutMs) {
    std::vector<WSAPOLLFD> fds;
    fds.reserve(watches.size());
    for (auto& watch : watches)
        fds.push_back(
            WSAPOLLFD{systemSocket(watch.fd), static_cast<SHORT>(POLLRDNORM | (watch.wantWrite ? POLLWRNORM : 0)), 0});
    int ready = WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeoutMs);
    if (ready <= 0) return false;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        watches[i].readable = (fds[i].revents & (POLLRDNORM | POLLHUP | POLLERR)) != 0;
        watches[i].writable = (fds[i].revents & (POLLWRNORM | POLLHUP | POLLERR)) != 0;
    }
    return true;
}

} // namespace platform::os_sockets
