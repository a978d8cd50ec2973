// Stream sockets on loopback whose events arrive as window messages: listening, connecting,
// accepting, sending, receiving and closing, the default and cut port numbers, and bad addresses.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "headless_display.h"
#include "net/net_socket.h"
#include "net/winsock_session.h"
#include "platform/headless.h"
#include "raw_peer.h"

namespace {

constexpr UINT serverMessage = WM_USER + 1;
constexpr UINT clientMessage = WM_USER + 2;

// The socket notifications taken from the window's queue so far.
class Notifications {
public:
    // Takes messages until one of this kind for this socket arrives; the queue polls the sockets.
    bool waitFor(UINT message, ws::SOCKET socket, long event, int* error = nullptr) {
        for (int attempt = 0; attempt < 3000; ++attempt) {
            takeWaiting();
            for (const MSG& msg : seen_) {
                if (msg.message == message && msg.wParam == socket && ws::WSAGETSELECTEVENT(msg.lParam) == event) {
                    if (error != nullptr) {
                        *error = ws::WSAGETSELECTERROR(msg.lParam);
                    }
                    return true;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

private:
    void takeWaiting() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            GetMessageA(&msg, nullptr, 0, 0);
            seen_.push_back(msg);
        }
    }

    std::vector<MSG> seen_;
};

class NetSocketTest : public testing::Test {
protected:
    void SetUp() override {
        platform::headless::reset();
        session.emplace();
        window = makeTestWindow("NetSocketTest");
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(server.open(window, serverMessage), 0);
        ASSERT_EQ(client.open(window, clientMessage), 0);
    }

    void TearDown() override {
        // The client hangs up first, so no port of ours is left waiting out its close.
        client.close();
        server.close();
        if (listener != ws::INVALID_SOCKET) {
            ws::closesocket(listener);
        }
        session.reset();
    }

    // A connect on a socket that never blocks completes later, with FD_CONNECT.
    static bool connectStarted(int result) {
        return result == 0 || (result == ws::SOCKET_ERROR && ws::WSAGetLastError() == ws::WSAEWOULDBLOCK);
    }

    // Listens on the given port, connects to the expected one and accepts: the pair is connected.
    void connectPair(int listenPort, int connectPort) {
        ASSERT_EQ(server.listen(listenPort), 0);
        listener = server.handle;
        ASSERT_TRUE(connectStarted(client.connect("127.0.0.1", connectPort)));
        ASSERT_TRUE(events.waitFor(serverMessage, listener, ws::FD_ACCEPT));
        const ws::SOCKET accepted = server.accept();
        ASSERT_NE(accepted, ws::INVALID_SOCKET);
        EXPECT_EQ(server.handle, accepted);
        EXPECT_NE(accepted, listener);
        int error = -1;
        ASSERT_TRUE(events.waitFor(clientMessage, client.handle, ws::FD_CONNECT, &error));
        EXPECT_EQ(error, 0);
    }

    std::optional<WinsockSession> session;
    HWND window = nullptr;
    NetSocket server;
    NetSocket client;
    ws::SOCKET listener = ws::INVALID_SOCKET; // left open by accept: closed here
    Notifications events;
};

TEST_F(NetSocketTest, ConnectsOnTheDefaultPortAndCarriesBytesBothWays) {
    EXPECT_EQ(server.notifyMessage(), serverMessage);
    EXPECT_EQ(server.notifyWindow, window);
    connectPair(-1, 7);

    ASSERT_EQ(server.send("last orders", 11), 11);
    ASSERT_TRUE(events.waitFor(clientMessage, client.handle, ws::FD_READ));
    char buffer[32] = {};
    ASSERT_EQ(client.receive(buffer, sizeof buffer), 11);
    EXPECT_STREQ(buffer, "last orders");

    ASSERT_EQ(client.send("one more", 8), 8);
    ASSERT_TRUE(events.waitFor(serverMessage, server.handle, ws::FD_READ));
    std::memset(buffer, 0, sizeof buffer);
    ASSERT_EQ(server.receive(buffer, sizeof buffer), 8);
    EXPECT_STREQ(buffer, "one more");

    // Nothing more waiting: a socket that never blocks says so.
    EXPECT_EQ(server.receive(buffer, sizeof buffer), ws::SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), ws::WSAEWOULDBLOCK);

    // The client hangs up: the server hears the close, then reads the end of the stream.
    const ws::SOCKET connection = server.handle;
    EXPECT_EQ(client.close(), 0);
    int error = -1;
    ASSERT_TRUE(events.waitFor(serverMessage, connection, ws::FD_CLOSE, &error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(server.receive(buffer, sizeof buffer), 0);

    // The default port of a connect is 7 too.
    NetSocket another;
    ASSERT_EQ(another.open(window, clientMessage), 0);
    EXPECT_TRUE(connectStarted(another.connect("127.0.0.1", -1)));
    ASSERT_TRUE(events.waitFor(clientMessage, another.handle, ws::FD_CONNECT, &error));
    EXPECT_EQ(error, 0);
    another.close();
}

// The ports as a program outside the wrapper finds them: -1 is 7 both ways, and a number above
// 65535 is cut to its low 16 bits.
TEST_F(NetSocketTest, APeerFindsTheDefaultAndTheCutPorts) {
    for (auto [asked, seen] : {std::pair{-1, 7}, std::pair{70000, 4464}}) {
        NetSocket listening;
        ASSERT_EQ(listening.open(window, serverMessage), 0);
        ASSERT_EQ(listening.listen(asked), 0) << asked;
        EXPECT_TRUE(raw_peer::connects(seen)) << asked;
        listening.close();
    }
    const int peer = raw_peer::listening(7);
    ASSERT_GE(peer, 0);
    EXPECT_TRUE(connectStarted(client.connect("127.0.0.1", -1)));
    int error = -1;
    EXPECT_TRUE(events.waitFor(clientMessage, client.handle, ws::FD_CONNECT, &error));
    EXPECT_EQ(error, 0);
    raw_peer::hangUp(peer);
}

TEST_F(NetSocketTest, CloseAfterAcceptClosesTheConnectionNotTheListener) {
    connectPair(4471, 4471);
    EXPECT_EQ(server.close(), 0);
    int error = -1;
    ASSERT_TRUE(events.waitFor(clientMessage, client.handle, ws::FD_CLOSE, &error));
    char buffer[8];
    EXPECT_EQ(client.receive(buffer, sizeof buffer), 0);

    // The listener still takes connections.
    NetSocket another;
    ASSERT_EQ(another.open(window, clientMessage), 0);
    EXPECT_TRUE(connectStarted(another.connect("127.0.0.1", 4471)));
    ASSERT_TRUE(events.waitFor(clientMessage, another.handle, ws::FD_CONNECT, &error));
    EXPECT_EQ(error, 0);
    another.close();
}

TEST_F(NetSocketTest, AddressTextThatIsNotDottedDecimalFails) {
    // No name lookup: the text becomes INADDR_NONE, which cannot be connected to.
    EXPECT_EQ(client.connect("localhost", 4472), ws::SOCKET_ERROR);
    const int error = ws::WSAGetLastError();
    EXPECT_NE(error, 0);
    EXPECT_NE(error, ws::WSAEWOULDBLOCK) << "refused at once, not pending";
}

TEST_F(NetSocketTest, FailuresReportNoSuccessAndKeepTheSocket) {
    // A port already taken: the listen fails rather than listening somewhere else.
    NetSocket first;
    ASSERT_EQ(first.open(window, serverMessage), 0);
    ASSERT_EQ(first.listen(4473), 0);
    EXPECT_EQ(server.listen(4473), ws::SOCKET_ERROR);
    EXPECT_EQ(ws::WSAGetLastError(), ws::WSAEADDRINUSE);

    // Nothing to accept yet: the listener stays in place.
    const ws::SOCKET before = first.handle;
    EXPECT_EQ(first.accept(), ws::INVALID_SOCKET);
    EXPECT_EQ(ws::WSAGetLastError(), ws::WSAEWOULDBLOCK);
    EXPECT_EQ(first.handle, before);
    EXPECT_EQ(first.close(), 0);

    // A closed socket is not closed twice.
    EXPECT_EQ(first.close(), ws::SOCKET_ERROR);
}

} // namespace
