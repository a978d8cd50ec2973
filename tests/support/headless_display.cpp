#include "headless_display.h"

#include "platform/headless.h"

HWND makeTestWindow(const char* className, WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, className, WS_POPUPWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HeadlessDisplay::HeadlessDisplay(int bits, int desktopBits) {
    platform::HeadlessOptions options;
    options.desktopBits = desktopBits;
    platform::headless::reset(options);
    window = makeTestWindow("HeadlessDisplay");
    ShowWindow(window, SW_SHOW);
    build(bits);
}

HeadlessDisplay::HeadlessDisplay(int bits, const HeadlessDisplay& beside) {
    window = beside.window;
    build(bits);
}

void HeadlessDisplay::build(int bits) {
    check(DirectDrawCreate(nullptr, &display.ddraw, nullptr), "DirectDrawCreate");
    if (display.ddraw == nullptr) {
        return;
    }
    check(display.ddraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), "SetCooperativeLevel");
    check(display.ddraw->SetDisplayMode(800, 600, static_cast<DWORD>(bits)), "SetDisplayMode");
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    check(display.ddraw->CreateSurface(&desc, &display.primary, nullptr), "CreateSurface");
    if (display.primary == nullptr) {
        return;
    }
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    check(display.primary->GetAttachedSurface(&caps, &display.backBuffer), "GetAttachedSurface");
}

// The back buffer, then the primary, then the display object, as the game lets go of them.
HeadlessDisplay::~HeadlessDisplay() {
    if (display.backBuffer != nullptr) {
        display.backBuffer->Release();
    }
    if (display.primary != nullptr) {
        display.primary->Release();
    }
    if (display.ddraw != nullptr) {
        display.ddraw->Release();
    }
}

void HeadlessDisplay::check(HRESULT result, const char* step) {
    if (result != DD_OK && failedStep_ == nullptr) {
        failedStep_ = step;
    }
}
