#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/headless.h"
#include "platform/winsock.h"
#include "window_fixture.h"

namespace {

using namespace platform;

constexpr UINT kListenerMessage = WM_USER + 5;
constexpr UINT kClientMessage = WM_USER + 6;
constexpr long kEvents = ws::FD_READ | ws::FD_ACCEPT | ws::FD_CONNECT | ws::FD_CLOSE;

ws::sockaddr_in loopback(std::uint16_t port) {
    ws::sockaddr_in address{};
    address.sin_family = ws::AF_INET;
    address.sin_port = ws::htons(port);
    address.sin_addr.s_addr = ws::inet_addr("127.0.0.1");
    return address;
}

const ws::sockaddr* asAddress(const ws::sockaddr_in& in) { return reinterpret_cast<const ws::sockaddr*>(&in); }

class Sockets : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ws::WSADATA data{};
        ASSERT_EQ(ws::WSAStartup(ws::MAKEWORD(1, 1), &data), 0);
        EXPECT_EQ(data.wVersion, ws::MAKEWORD(1, 1));
    }
    void TearDown() override { ws::WSACleanup(); }

    // A listening socket on a free loopback port, from <from> on. Cases that run side by side look
    // in ranges of their own: one that lets its port go must not see another's listener take it.
    ws::SOCKET listenSomewhere(std::uint16_t& port, std::uint16_t from = 41000) {
        ws::SOCKET s = ws::socket(ws::AF_INET, ws::SOCK_STREAM, 0);
        EXPECT_EQ(ws::WSAAsyncSelect(s, window, kListenerMessage, kEvents), 0);
        for (port = from; port < from + 400; ++port) {
            auto address = loopback(port);
            if (ws::bind(s, asAddress(address), sizeof address) == 0) break;
        }
        EXPECT_EQ(ws::listen(s, 5), 0);
        return s;
    }

    MSG next() {
        MSG msg{};
        EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
        return msg;
    }
};

TEST_F(Sockets, LoopbackConversationArrivesAsMessages) {
    std::uint16_t port = 0;
    ws::SOCKET listener = listenSomewhere(port);
    ws::SOCKET client = ws::socket(ws::AF_INET, ws::SOCK_STREAM, 0);
    ASSERT_EQ(ws::WSAAsyncSelect(client, window, kClientMessage, kEvents), 0);
    auto address = loopback(port);
    if (ws::connect(client, asAddress(address), sizeof address) != 0) {
        EXPECT_EQ(ws::WSAGetLastError(), ws::WSAEWOULDBLOCK);
    }

    bool accepted = false, connected = false;
    while (!accepted || !connected) {
        MSG msg = next();
        if (msg.message == kListenerMessage) {
            EXPECT_EQ(msg.wParam, listener);
            EXPECT_EQ(msg.lParam, ws::WSAMAKESELECTREPLY(ws::FD_ACCEPT, 0));
            accepted = true;
        } else {
            ASSERT_EQ(msg.message, kClientMessage);
            EXPECT_EQ(msg.wParam, client);
            EXPECT_EQ(msg.lParam, ws::WSAMAKESELECTREPLY(ws::FD_CONNECT, 0));
            connected = true;
        }
    }
    ws::SOCKET served = ws::accept(listener, nullptr, nullptr);
    ASSERT_NE(served, ws::INVALID_SOCKET);

    // Two sends, one notification: FD_READ waits for a recv to re-arm it.
    ASSERT_EQ(ws::send(client, "be", 2, 0), 2);
    ASSERT_EQ(ws::send(client, "er", 2, 0), 2);
    MSG msg = next();
    EXPECT_EQ(msg.message, kListenerMessage) << "the accepted socket keeps the listener's notification";
    EXPECT_EQ(msg.wParam, served);
    EXPECT_EQ(msg.lParam, ws::WSAMAKESELECTREPLY(ws::FD_READ, 0));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    char buffer[16] = {};
    int got = 0;
    while (got < 4) {
        int n = ws::recv(served, buffer + got, sizeof buffer - got, 0);
        ASSERT_GT(n, 0);
        got += n;
    }
    EXPECT_EQ(std::string(buffer, 4), "beer");

    ws::closesocket(client);
    do {
        msg = next();
    } while (ws::WSAGETSELECTEVENT(msg.lParam) == ws::FD_READ);
    EXPECT_EQ(msg.wParam, served);
    EXPECT_EQ(msg.lParam, ws::WSAMAKESELECTREPLY(ws::FD_CLOSE, 0));
    EXPECT_EQ(ws::recv(served, buffer, sizeof buffer, 0), 0);
    EXPECT_EQ(ws::closesocket(served), 0);
    EXPECT_EQ(ws::closesocket(listener), 0);
}

TEST_F(Sockets, ARefusedConnectionIsReportedThroughFdConnect) {
    std::uint16_t port = 0;
    ws::SOCKET listener = listenSomewhere(port, 41400);
    ws::closesocket(listener); // nobody listens there now
    ws::SOCKET client = ws::socket(ws::AF_INET, ws::SOCK_STREAM, 0);
    ws::WSAAsyncSelect(client, window, kClientMessage, kEvents);
    auto address = loopback(port);
    ws::connect(client, asAddress(address), sizeof address);
    MSG msg = next();
    EXPECT_EQ(msg.lParam, ws::WSAMAKESELECTREPLY(ws::FD_CONNECT, ws::WSAECONNREFUSED));
    ws::closesocket(client);
}

TEST_F(Sockets, BadHandlesAndAddressesFailWithServiceCodes) {
    EXPECT_EQ(ws::send(12345, "x", 1, 0), ws::SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), ws::WSAENOTSOCK);
    EXPECT_EQ(ws::closesocket(0), ws::SOCKET_ERROR) << "never a descriptor it did not make";
    EXPECT_EQ(ws::inet_addr("not an address"), ws::INADDR_NONE);
    EXPECT_EQ(ws::inet_addr("10.0.0.1"), ws::htons(0x0A00) | (ws::htons(0x0001) << 16));
    ws::SOCKET s = ws::socket(ws::AF_INET, ws::SOCK_STREAM, 0);
    ws::sockaddr_in address = loopback(41000);
    EXPECT_EQ(ws::connect(s, asAddress(address), 8), ws::SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), ws::WSAEFAULT);
    ws::closesocket(s);
}

TEST(SocketServiceStartup, CountsReferencesTracesEveryCallAndHonoursFaults) {
    headless::reset();
    ws::WSADATA data{};
    headless::injectFault(Fault::WSAStartup);
    EXPECT_EQ(ws::WSAStartup(ws::MAKEWORD(1, 1), &data), ws::WSASYSNOTREADY);
    EXPECT_EQ(ws::socket(ws::AF_INET, ws::SOCK_STREAM, 0), ws::INVALID_SOCKET);
    EXPECT_EQ(ws::WSAGetLastError(), ws::WSANOTINITIALISED);

    headless::reset();
    headless::injectFault(Fault::WSAStartupVersion);
    ASSERT_EQ(ws::WSAStartup(ws::MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(data.wVersion, ws::MAKEWORD(2, 2));
    ASSERT_EQ(ws::WSAStartup(ws::MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(ws::WSACleanup(), 0);
    EXPECT_EQ(ws::WSACleanup(), 0);
    EXPECT_EQ(ws::WSACleanup(), ws::SOCKET_ERROR);
    EXPECT_EQ(headless::trace(),
              (std::vector<std::string>{"WSAStartup", "WSAStartup", "WSACleanup", "WSACleanup", "WSACleanup"}));
}

} // namespace
