// The system's socket calls under the stream-socket service, behind names of our own (the
// system's headers define macros that clash with the service's constants): POSIX's in
// posix/posix_sockets.cpp, Windows' own in windows/winsock_sockets.cpp. A call that fails
// returns -1 and leaves its error for lastError().
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
// The error of a finished non-blocking connect, as the service's error code; 0 when it succeeded.
int pendingError(int fd);
bool isListening(int fd);
bool isConnected(int fd);
// 1: data waits, 0: the peer closed, 2: nothing yet, -1: an error.
int peekState(int fd);
std::uint32_t parseAddress(const char* text);
std::uint16_t toNetwork16(std::uint16_t value);
// The last failed call's error, as the service's error code.
int lastError();

struct Watch {
    int fd;
    bool wantWrite;
    bool readable = false;
    bool writable = false;
};
// poll over the fds; true when any is ready.
bool pollAll(std::vector<Watch>& watches, int timeoutMs);

} // namespace platform::os_sockets
