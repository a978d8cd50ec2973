// Stream sockets with window-message notification, shaped after Winsock 1.1.
// In their own namespace so that they never clash with the system's socket calls.
#pragma once

#include "platform/win_types.h"

namespace ws {

using SOCKET = std::uint32_t;
constexpr SOCKET INVALID_SOCKET = 0xFFFFFFFFu;
constexpr int SOCKET_ERROR = -1;

constexpr int AF_INET = 2;
constexpr int SOCK_STREAM = 1;
constexpr DWORD INADDR_ANY = 0;
constexpr DWORD INADDR_NONE = 0xFFFFFFFFu;

constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_OOB = 0x04;
constexpr long FD_ACCEPT = 0x08;
constexpr long FD_CONNECT = 0x10;
constexpr long FD_CLOSE = 0x20;

constexpr int WSAEINTR = 10004;
constexpr int WSAEBADF = 10009;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSASYSNOTREADY = 10091;
constexpr int WSAVERNOTSUPPORTED = 10092;
constexpr int WSANOTINITIALISED = 10093;

struct WSADATA {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[257];
    char szSystemStatus[129];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
};

struct in_addr {
    std::uint32_t s_addr;
};

struct sockaddr {
    std::uint16_t sa_family;
    char sa_data[14];
};

struct sockaddr_in {
    std::int16_t sin_family;
    std::uint16_t sin_port;
    in_addr sin_addr;
    char sin_zero[8];
};
static_assert(sizeof(sockaddr_in) == 16);

constexpr WORD MAKEWORD(BYTE low, BYTE high) { return static_cast<WORD>(low | (high << 8)); }
constexpr LPARAM WSAMAKESELECTREPLY(int event, int error) {
    return static_cast<LPARAM>((static_cast<DWORD>(error) << 16) | (static_cast<DWORD>(event) & 0xFFFF));
}
constexpr int WSAGETSELECTEVENT(LPARAM lParam) { return static_cast<int>(lParam & 0xFFFF); }
constexpr int WSAGETSELECTERROR(LPARAM lParam) { return static_cast<int>((lParam >> 16) & 0xFFFF); }

int WSAStartup(WORD version, WSADATA* data);
int WSACleanup();
int WSAGetLastError();
int WSAAsyncSelect(SOCKET s, HWND window, UINT message, long events);

SOCKET socket(int family, int type, int protocol);
int bind(SOCKET s, const sockaddr* address, int length);
int listen(SOCKET s, int backlog);
int connect(SOCKET s, const sockaddr* address, int length);
SOCKET accept(SOCKET s, sockaddr* address, int* length);
int send(SOCKET s, const char* bytes, int length, int flags);
int recv(SOCKET s, char* buffer, int length, int flags);
int closesocket(SOCKET s);
std::uint32_t inet_addr(const char* text);
std::uint16_t htons(std::uint16_t value);

} // namespace ws
