#include "platform/winsock.h" // first: the system headers below define clashing macros

#include "platform/winsock/os_sockets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform::os_sockets {

namespace {

sockaddr_in toSystem(Address address) {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = address.portNet;
    result.sin_addr.s_addr = address.addressNet;
    return result;
}

// Codes without a name in the service's header.
constexpr int kProtocolNotSupported = 10043;
constexpr int kOperationNotSupported = 10045;
constexpr int kFamilyNotSupported = 10047;
constexpr int kNoBuffers = 10055;
constexpr int kAlreadyConnected = 10056;
constexpr int kShutDown = 10058;

// errno as the service's error code.
int serviceError(int error) {
    switch (error) {
    case 0:
        return 0;
    case EINTR:
        return ws::WSAEINTR;
    case EBADF:
    case ENOTSOCK:
        return ws::WSAENOTSOCK;
    case EACCES:
    case EPERM:
        return ws::WSAEACCES;
    case EFAULT:
        return ws::WSAEFAULT;
    case EINVAL:
        return ws::WSAEINVAL;
    case EMFILE:
    case ENFILE:
        return ws::WSAEMFILE;
    case EAGAIN:
        return ws::WSAEWOULDBLOCK;
    case EINPROGRESS:
        return ws::WSAEWOULDBLOCK; // a non-blocking connect under way
    case EALREADY:
        return ws::WSAEALREADY;
    case EPROTONOSUPPORT:
        return kProtocolNotSupported;
    case EOPNOTSUPP:
        return kOperationNotSupported;
    case EAFNOSUPPORT:
        return kFamilyNotSupported;
    case EADDRINUSE:
        return ws::WSAEADDRINUSE;
    case EADDRNOTAVAIL:
        return ws::WSAEADDRNOTAVAIL;
    case ENETUNREACH:
        return ws::WSAENETUNREACH;
    case ECONNABORTED:
        return ws::WSAECONNABORTED;
    case ECONNRESET:
    case EPIPE:
        return ws::WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM:
        return kNoBuffers;
    case EISCONN:
        return kAlreadyConnected;
    case ENOTCONN:
        return ws::WSAENOTCONN;
    case ESHUTDOWN:
        return kShutDown;
    case ETIMEDOUT:
        return ws::WSAETIMEDOUT;
    case ECONNREFUSED:
        return ws::WSAECONNREFUSED;
    case EHOSTUNREACH:
    case EHOSTDOWN:
        return ws::WSAEHOSTUNREACH;
    default:
        return ws::WSAEINVAL;
    }
}

} // namespace

int openStream(int protocol) { return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, protocol); }

int makeNonBlocking(int fd) {
    int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) return -1;
    return ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

int bindTo(int fd, Address address) {
    int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in system = toSystem(address);
    return ::bind(fd, reinterpret_cast<const ::sockaddr*>(&system), sizeof system);
}

int listenOn(int fd, int backlog) { return ::listen(fd, backlog); }

int connectTo(int fd, Address address) {
    sockaddr_in system = toSystem(address);
    return ::connect(fd, reinterpret_cast<const ::sockaddr*>(&system), sizeof system);
}

int acceptFrom(int fd, Address* peer) {
    sockaddr_in system{};
    socklen_t length = sizeof system;
    int accepted = ::accept4(fd, reinterpret_cast<::sockaddr*>(&system), &length, SOCK_CLOEXEC);
    if (accepted >= 0 && peer != nullptr) *peer = Address{system.sin_addr.s_addr, system.sin_port};
    return accepted;
}

long sendOn(int fd, const char* bytes, int length, int flags) {
    int system = MSG_NOSIGNAL | ((flags & 0x1) != 0 ? MSG_OOB : 0);
    return ::send(fd, bytes, static_cast<std::size_t>(length), system);
}

long receiveOn(int fd, char* buffer, int length, int flags) {
    int system = ((flags & 0x1) != 0 ? MSG_OOB : 0) | ((flags & 0x2) != 0 ? MSG_PEEK : 0);
    return ::recv(fd, buffer, static_cast<std::size_t>(length), system);
}

int closeFd(int fd) { return ::close(fd); }

int pendingError(int fd) {
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return lastError();
    return serviceError(error);
}

bool isListening(int fd) {
    int listening = 0;
    socklen_t length = sizeof listening;
    return ::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &length) == 0 && listening != 0;
}

bool isConnected(int fd) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    return ::getpeername(fd, reinterpret_cast<::sockaddr*>(&peer), &length) == 0;
}

int peekState(int fd) {
    char byte;
    long got = ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (got > 0) return 1;
    if (got == 0) return 0;
    return (errno == EAGAIN || errno == EWOULDBLOCK) ? 2 : -1;
}

std::uint32_t parseAddress(const char* text) { return ::inet_addr(text); }

std::uint16_t toNetwork16(std::uint16_t value) { return ::htons(value); }

int lastError() { return serviceError(errno); }

bool pollAll(std::vector<Watch>& watches, int timeoutMs) {
    std::vector<pollfd> fds;
    fds.reserve(watches.size());
    for (auto& watch : watches)
        fds.push_back(pollfd{watch.fd, static_cast<short>(POLLIN | (watch.wantWrite ? POLLOUT : 0)), 0});
    int ready = ::poll(fds.data(), fds.size(), timeoutMs);
    if (ready <= 0) return false;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        watches[i].readable = (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
        watches[i].writable = (fds[i].revents & (POLLOUT | POLLHUP | POLLERR)) != 0;
    }
    return true;
}

} // namespace platform::os_sockets
