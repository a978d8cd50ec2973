// WSAAsyncSelect, and the polling inside the message queue that turns socket readiness into
// notification messages.
#include "platform/winsock/socket_events.h"

#include <vector>

#include "platform/core/platform_state.h"
#include "platform/window/message_queue.h"
#include "platform/winsock/os_sockets.h"
#include "platform/winsock/socket_registry.h"

namespace platform::socket_events {

namespace {

using sockets::Phase;
using sockets::SocketState;

bool wants(const SocketState& s, long event) { return (s.events & event) != 0; }

// Whether the socket can still have something to report.
bool canReport(const SocketState& s) {
    if (s.events == 0) return false;
    switch (s.phase) {
    case Phase::Listening:
        return s.acceptArmed && wants(s, ws::FD_ACCEPT);
    case Phase::Connecting:
        return true;
    case Phase::Connected:
        return (s.readArmed && wants(s, ws::FD_READ)) || (!s.closeReported && wants(s, ws::FD_CLOSE));
    default:
        return false;
    }
}

bool notify(ws::SOCKET handle, const SocketState& s, long event, int error) {
    if (!wants(s, event) || liveWindow(s.window) == nullptr) return false;
    postToQueue(s.window, s.message, handle, ws::WSAMAKESELECTREPLY(static_cast<int>(event), error));
    return true;
}

bool report(ws::SOCKET handle, SocketState& s, const os_sockets::Watch& ready) {
    switch (s.phase) {
    case Phase::Listening:
        if (!ready.readable || !s.acceptArmed) return false;
        s.acceptArmed = false;
        return notify(handle, s, ws::FD_ACCEPT, 0);
    case Phase::Connecting: {
        if (!ready.writable) return false;
        int error = os_sockets::pendingError(s.fd);
        s.phase = error == 0 ? Phase::Connected : Phase::Finished;
        return notify(handle, s, ws::FD_CONNECT, error);
    }
    case Phase::Connected: {
        if (!ready.readable) return false;
        int state = os_sockets::peekState(s.fd);
        if (state == 1) {
            if (!s.readArmed) return false;
            s.readArmed = false;
            return notify(handle, s, ws::FD_READ, 0);
        }
        if (state == 2 || s.closeReported) return false;
        s.closeReported = true;
        s.phase = Phase::Finished;
        return notify(handle, s, ws::FD_CLOSE, state == 0 ? 0 : ws::WSAECONNRESET);
    }
    default:
        return false;
    }
}

std::vector<os_sockets::Watch> watches(std::vector<ws::SOCKET>& handles) {
    std::vector<os_sockets::Watch> result;
    for (auto& [handle, s] : sockets::registry()) {
        if (!canReport(s)) continue;
        handles.push_back(handle);
        result.push_back(os_sockets::Watch{s.fd, s.phase == Phase::Connecting});
    }
    return result;
}

// Polls for up to timeoutMs; true when a notification was posted.
bool pollFor(int timeoutMs) {
    std::vector<ws::SOCKET> handles;
    std::vector<os_sockets::Watch> ready = watches(handles);
    if (ready.empty() || !os_sockets::pollAll(ready, timeoutMs)) return false;
    bool posted = false;
    for (std::size_t i = 0; i < ready.size(); ++i) {
        SocketState* s = sockets::find(handles[i]);
        if (s != nullptr && report(handles[i], *s, ready[i])) posted = true;
    }
    return posted;
}

} // namespace

void poll() {
    if (!sockets::registry().empty()) pollFor(0);
}

bool anyWatched() {
    for (auto& [handle, s] : sockets::registry())
        if (canReport(s)) return true;
    return false;
}

bool wait(int timeoutMs) { return pollFor(timeoutMs); }

void clear() {
    for (auto& [handle, s] : sockets::registry()) {
        s.window = nullptr;
        s.events = 0;
    }
}

} // namespace platform::socket_events

namespace ws {

int WSAAsyncSelect(SOCKET s, HWND window, UINT message, long events) {
    using namespace platform;
    if (sockets::started() <= 0) {
        sockets::setLastError(WSANOTINITIALISED);
        return SOCKET_ERROR;
    }
    sockets::SocketState* state = sockets::find(s);
    if (state == nullptr) {
        sockets::setLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    if (events != 0 && window == nullptr) {
        sockets::setLastError(WSAEINVAL);
        return SOCKET_ERROR;
    }
    // From here on the socket never blocks; its news comes as messages.
    if (os_sockets::makeNonBlocking(state->fd) != 0) {
        sockets::setLastError(os_sockets::lastError());
        return SOCKET_ERROR;
    }
    state->window = window;
    state->message = message;
    state->events = events;
    state->acceptArmed = true;
    state->readArmed = true;
    if (state->phase == sockets::Phase::Fresh) {
        if (os_sockets::isListening(state->fd)) state->phase = sockets::Phase::Listening;
        else if (os_sockets::isConnected(state->fd)) state->phase = sockets::Phase::Connected;
    }
    return 0;
}

} // namespace ws
