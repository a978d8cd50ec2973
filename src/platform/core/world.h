// The state that both backends share: windows, the message queue, timers, activation, faults
// and the logs that tests read. One instance, replaced whole by a reset.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/window.h"

struct WindowObject {
    std::string className;
    std::string title;
    WNDPROC proc = nullptr;
    HICON icon = nullptr;
    int width = 0;
    int height = 0;
    bool visible = false;
    bool destroyed = false;
    bool fullscreen = false;
    void* native = nullptr; // the backend's window, if any
};

namespace platform {

struct WindowClass {
    std::string name;
    WNDPROC proc = nullptr;
    HICON icon = nullptr;
};

struct Timer {
    HWND window;
    UINT_PTR id;
    std::int64_t periodNs;
    std::int64_t dueNs;
};

struct World {
    std::deque<MSG> queue;
    bool quitPending = false;
    int quitCode = 0;

    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<WindowObject>> windows;
    std::vector<Timer> timers;
    bool active = false;
    int cursorCount = 0;

    std::array<std::optional<HRESULT>, static_cast<std::size_t>(Fault::Count)> faults{};
    std::vector<std::string> trace;
    std::vector<MessageBoxRecord> messageBoxes;
    std::string debugOutput;
    std::vector<int> soundLog;

    int presentedCount = 0;
    std::vector<std::uint32_t> lastPresented;
    int presentedWidth = 0;
    int presentedHeight = 0;
    std::function<void(int)> flipHook;
    std::function<void()> idleHook;
};

World& world();
void resetWorld();

// The live (created, not destroyed) window behind a handle, or null.
WindowObject* liveWindow(HWND handle);
// Activation changes from the desktop or from tests: posts WM_ACTIVATEAPP, and deactivation in
// full-screen exclusive mode loses every surface.
void changeActivation(bool active);

} // namespace platform
