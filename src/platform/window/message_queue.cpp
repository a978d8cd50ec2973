// The one message queue: posted messages first, then the quit message, then due timers.
#include "platform/window/message_queue.h"

#include <algorithm>

#include "platform/core/backend.h"
#include "platform/core/platform_state.h"
#include "platform/window/timers.h"
#include "platform/winsock/socket_events.h"

namespace platform {

namespace {

DWORD messageTime() { return static_cast<DWORD>(backend().nowNs() / 1'000'000); }

bool matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    if (window != nullptr && msg.hwnd != window) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

void pumpAll() {
    backend().pumpEvents();
    socket_events::poll();
}

bool anythingWaiting() {
    return !platformState().queue.empty() || platformState().quitPending || timers::nsUntilNextDue() == 0;
}

// Waits for something to arrive; false when nothing ever can.
bool waitOnce() {
    pumpAll();
    if (anythingWaiting()) return true;
    return backend().waitForEvents(timers::nsUntilNextDue(), socket_events::anyWatched());
}

} // namespace

void postToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{window, message, wParam, lParam, messageTime(), backend().cursorPos()};
    platformState().queue.push_back(msg);
}

bool isQueued(HWND window, UINT message) {
    auto& queue = platformState().queue;
    return std::any_of(queue.begin(), queue.end(),
                       [&](const MSG& m) { return m.hwnd == window && m.message == message; });
}

void dropMessagesFor(HWND window) {
    auto& queue = platformState().queue;
    queue.erase(std::remove_if(queue.begin(), queue.end(), [&](const MSG& m) { return m.hwnd == window; }),
                queue.end());
}

} // namespace platform

using namespace platform;

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    pumpAll();
    bool take = (removeFlags & PM_REMOVE) != 0;
    auto& queue = platformState().queue;
    auto found = std::find_if(queue.begin(), queue.end(),
                              [&](const MSG& m) { return matches(m, window, filterMin, filterMax); });
    if (found != queue.end()) {
        if (msg != nullptr) *msg = *found;
        if (take) queue.erase(found);
        return TRUE;
    }
    if (platformState().quitPending) {
        if (msg != nullptr)
            *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(platformState().quitCode), 0, messageTime(), {}};
        if (take) platformState().quitPending = false;
        return TRUE;
    }
    bool timersWanted = (filterMin == 0 && filterMax == 0) || (WM_TIMER >= filterMin && WM_TIMER <= filterMax);
    if (timersWanted) {
        if (auto timer = timers::due(window, take)) {
            timer->time = messageTime();
            if (msg != nullptr) *msg = *timer;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
    MSG got{};
    while (!PeekMessageA(&got, window, filterMin, filterMax, PM_REMOVE)) {
        if (!waitOnce()) {
            // Nothing can ever arrive (a scripted world with no time passing): an error, not a hang.
            if (msg != nullptr) *msg = MSG{};
            return -1;
        }
    }
    if (msg != nullptr) *msg = got;
    return got.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
    while (!anythingWaiting()) {
        if (!waitOnce()) break;
    }
    return TRUE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr) return 0;
    WindowObject* target = liveWindow(msg->hwnd);
    if (target == nullptr || target->proc == nullptr) return 0;
    return target->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
    platformState().quitPending = true;
    platformState().quitCode = exitCode;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && liveWindow(window) == nullptr) return FALSE;
    postToQueue(window, message, wParam, lParam);
    return TRUE;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowObject* target = liveWindow(window);
    if (target == nullptr || target->proc == nullptr) return 0;
    return target->proc(window, message, wParam, lParam);
}
