// Window classes, the game window, activation and the default window procedure.
#include <algorithm>
#include <cstring>

#include "platform/core/backend.h"
#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"

namespace platform {

namespace {

bool sameName(const std::string& a, const char* b) {
    if (b == nullptr || a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

HWND firstLiveWindow() {
    for (auto& window : platformState().windows)
        if (!window->destroyed) return window.get();
    return nullptr;
}

} // namespace

void changeActivation(bool active) {
    if (platformState().active == active) return;
    platformState().active = active;
    HWND window = firstLiveWindow();
    // In the window that Alt+Enter gives, the display is shared and nothing is lost.
    bool shownFullscreen = window == nullptr || !window->windowed;
    if (!active && sys::fullscreenExclusive() && shownFullscreen) sys::loseAllSurfaces();
    if (window != nullptr) postToQueue(window, WM_ACTIVATEAPP, active ? 1 : 0, 0);
    backend().activationChanged(active);
}

namespace sys {

bool isActive() {
    HWND window = firstLiveWindow();
    return platformState().active && window != nullptr && window->visible;
}

HWND gameWindow() { return firstLiveWindow(); }

bool enterFullscreen(HWND handle) {
    WindowObject* window = liveWindow(handle);
    if (window == nullptr || !backend().enterFullscreen(*window)) return false;
    window->fullscreen = true;
    return true;
}

void leaveFullscreen() {
    for (auto& window : platformState().windows) {
        if (window->destroyed || !window->fullscreen) continue;
        backend().leaveFullscreen(*window);
        window->fullscreen = false;
    }
}

} // namespace sys
} // namespace platform

using namespace platform;

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr || IS_INTRESOURCE(windowClass->lpszClassName))
        return 0;
    auto& classes = platformState().classes;
    for (auto& existing : classes)
        if (sameName(existing.name, windowClass->lpszClassName)) return 0;
    classes.push_back(WindowClass{windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->hIcon});
    return static_cast<ATOM>(0xC000 + classes.size());
}

HWND CreateWindowExA(DWORD, const char* className, const char* windowName, DWORD, int, int, int width, int height, HWND,
                     void*, HINSTANCE, void*) {
    sys::trace("CreateWindowExA");
    if (sys::faulted(Fault::CreateWindow)) return nullptr;
    if (className == nullptr || IS_INTRESOURCE(className)) return nullptr;
    auto& classes = platformState().classes;
    auto found = std::find_if(classes.begin(), classes.end(), [&](auto& c) { return sameName(c.name, className); });
    if (found == classes.end()) return nullptr;

    auto window = std::make_unique<WindowObject>();
    window->className = found->name;
    window->title = windowName != nullptr ? windowName : "";
    window->proc = found->proc;
    window->icon = found->icon;
    window->width = width;
    window->height = height;
    if (!backend().createWindow(*window)) return nullptr;
    platformState().windows.push_back(std::move(window));
    return platformState().windows.back().get();
}

BOOL ShowWindow(HWND handle, int) {
    WindowObject* window = liveWindow(handle);
    if (window == nullptr) return FALSE;
    BOOL wasVisible = window->visible ? TRUE : FALSE;
    if (!window->visible) {
        window->visible = true;
        backend().showWindow(*window);
    }
    // Showing activates at once, without waiting for a window manager to hand out focus.
    if (!platformState().active) {
        platformState().active = true;
        SendMessageA(handle, WM_ACTIVATEAPP, 1, 0);
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND handle) { return liveWindow(handle) != nullptr ? TRUE : FALSE; }

BOOL DestroyWindow(HWND handle) {
    WindowObject* window = liveWindow(handle);
    if (window == nullptr) return FALSE;
    SendMessageA(handle, WM_DESTROY, 0, 0);
    window->destroyed = true;
    window->visible = false;
    window->fullscreen = false;
    platformState().active = false;
    timers::killAllFor(handle);
    dropMessagesFor(handle);
    backend().destroyWindow(*window);
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(window);
    // Alt+F4 (F4 is a system key only with Alt held) asks the window to close, as its close button does.
    if (message == WM_SYSKEYDOWN && wParam == VK_F4) PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

HWND GetForegroundWindow() { return sys::isActive() ? sys::gameWindow() : nullptr; }

HWND GetDesktopWindow() {
    // A stand-in handle for the whole screen; it has no procedure and takes no messages.
    static WindowObject* desktop = new WindowObject{};
    return desktop;
}

HMODULE GetModuleHandleA(const char* moduleName) {
    static ModuleObject* const program = reinterpret_cast<ModuleObject*>(static_cast<std::uintptr_t>(0x400000));
    return moduleName == nullptr ? program : nullptr;
}
