// The POSIX socket calls under the stream-socket service, behind names of our own (the
// system's headers define macros that clash with the service's constants).
// Results follow POSIX: -1 on failure with errno set.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::os_sockets {

struct Address {
    std::uint32_t addressNet; // network byte order
    std::uint16_t portNet;    // network byte order
};

int openStream(int protocol);
int makeNonBlocking(int fd);
int bindTo(int fd, Address address);
int listenOn(int fd, int backlog);
int connectTo(int fd, Address address);
int acceptFrom(int fd, Address* peer);
long sendOn(int fd, const char* bytes, int length, int flags);
long receiveOn(int fd, char* buffer, int length, int flags);
int closeFd(int fd);
// The error of a finished non-blocking connect (SO_ERROR), as errno; 0 when it succeeded.
int pendingError(int fd);
bool isListening(int fd);
bool isConnected(int fd);
// 1: data waits, 0: the peer closed, 2: nothing yet, -1: an error (errno set).
int peekState(int fd);
std::uint32_t parseAddress(const char* text);
std::uint16_t toNetwork16(std::uint16_t value);
// errno as the service's error code.
int serviceError(int error);

struct Watch {
    int fd;
    bool wantWrite;
    bool readable = false;
    bool writable = false;
};
// poll over the fds; true when any is ready.
bool pollAll(std::vector<Watch>& watches, int timeoutMs);

} // namespace platform::os_sockets
