// The platform's own state, shared by its services and both backends: windows, the message
// queue, timers, activation, injected faults and the logs that tests read. One instance,
// replaced whole by resetPlatformState (the headless reset and the switch of backend), which
// also clears the sockets' notifications.
//
// Other objects live for the whole process in function-local statics and are not reset: the
// backend selection (core/backend_select.cpp), the headless backend (headless/headless_backend.cpp),
// the stock GDI objects, the screen's context and the default font (gdi/gdi_dc.cpp), the FreeType
// library and its faces (gdi/font_face.cpp), the 8-bit palette (ddraw/pixel_format.cpp), the
// registry of live surfaces and their owner (ddraw/ddraw_display.cpp), the desktop window and the
// module handle (window/window.cpp), the arrow cursor (window/cursor.cpp), the loaded icons
// (window/icon.cpp), SDL's start-up (sdl/sdl_init.cpp), the socket table (winsock/sockets.cpp),
// the decoded pictures kept per file (gdi/picture_file.cpp, forgotten by the headless reset) and the
// random generator's state (crt/random.cpp, seeded by the game itself).
// Each outlives the game's static objects, which release platform objects at exit.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/test_types.h"
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
    bool windowed = false;  // full screen set aside by the player (Alt+Enter): shown in a window
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
    std::int64_t dueNs; // whole periods after it was set; it fires on the first system tick from then
};

struct PlatformState {
    std::deque<MSG> queue;
    bool quitPending = false;
    int quitCode = 0;

    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<WindowObject>> windows;
    std::vector<Timer> timers;
    bool active = false;
    int cursorCount = 0;

    std::array<std::optional<HRESULT>, static_cast<std::size_t>(Fault::Count)> faults{};
    int blitterBusyCalls = 0; // calls that find the blitter busy, unless they wait
    // The records that tests read, kept only when a headless run asks for them: the real game's
    // stay empty, however long it runs.
    bool recording = false;
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

PlatformState& platformState();
void resetPlatformState();

// The live (created, not destroyed) window behind a handle, or null.
WindowObject* liveWindow(HWND handle);
// Counts a presented frame and calls the flip hook, on either backend.
void countPresented();
// Activation changes from the desktop or from tests: posts WM_ACTIVATEAPP, and deactivation in
// full-screen exclusive mode loses every surface.
void changeActivation(bool active);

} // namespace platform
