// Window, display, flip chain, sound device and keyboard set-up, and the display's release.
#include <cstring>

#include "app/application.h"
#include "gfx/text_pen.h"
#include "platform/gdi.h"
#include "sound/sound_effect.h"

namespace {

constexpr DWORD kSurfaceDescSize = 108;
constexpr DWORD kSoundBufferDescSize = 20;
constexpr int kBitsForDepthCode[] = {8, 16, 24, 32};

int bitsPerPixel(int depthCode) {
    if (depthCode >= 0 && depthCode <= 3) {
        return kBitsForDepthCode[depthCode];
    }
    // Code 4: keep the desktop's depth.
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

} // namespace

bool Application::create(const char* className, int width, int height, int depthCode, WNDPROC windowProc,
                         HINSTANCE instance, HICON icon, HCURSOR cursor) {
    WNDCLASSA windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);

    window = CreateWindowExA(0, className, className, WS_POPUPWINDOW, 0, 0, width, height, nullptr, nullptr, instance,
                             nullptr);
    if (window == nullptr) {
        return false;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    const int bits = bitsPerPixel(depthCode);

    if (DirectDrawCreate(nullptr, &display.ddraw, nullptr) != DD_OK) {
        display.ddraw = nullptr;
        MessageBoxA(nullptr, "Couldnt Create DirectX Object! Error: Terminating!", "Error!!!", MB_OK | MB_ICONERROR);
        close();
        return false;
    }
    if (display.ddraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE) != DD_OK) {
        display.ddraw->Release();
        display.ddraw = nullptr;
        MessageBoxA(nullptr, "Couldnt Set Cooperative Level, Fatal Error Aborting", "Error", MB_OK | MB_ICONERROR);
        return false;
    }
    if (display.ddraw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                      static_cast<DWORD>(bits)) != DD_OK) {
        MessageBoxA(nullptr, "Error Setting Display Mode", nullptr, MB_OK | MB_ICONERROR);
        display.ddraw->Release();
        display.ddraw = nullptr;
        return false;
    }
    if (!createSurfaces()) {
        MessageBoxA(nullptr, "Couldnt Set Surfaces! Fatal Error! DirectX is jacked Man", "Broken Software :(",
                    MB_OK | MB_ICONERROR);
        return false;
    }
    soundAvailable = createSound();
    createKeyboard();
    textPen.init(&display);
    shapes.attach(&display);
    return true;
}

bool Application::createSurfaces() {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = kSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (display.ddraw->CreateSurface(&desc, &display.primary, nullptr) != DD_OK) {
        display.primary = nullptr;
        display.ddraw->Release();
        display.ddraw = nullptr;
        return false;
    }
    DDSCAPS caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    if (display.primary->GetAttachedSurface(&caps, &display.backBuffer) != DD_OK) {
        display.backBuffer = nullptr;
        display.primary->Release();
        display.primary = nullptr;
        display.ddraw->Release();
        display.ddraw = nullptr;
        return false;
    }
    return true;
}

bool Application::createSound() {
    if (DirectSoundCreate(nullptr, &dsound, nullptr) < 0) {
        dsound = nullptr;
        return false;
    }
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) {
        foreground = GetDesktopWindow();
    }
    if (dsound->SetCooperativeLevel(foreground, DSSCL_PRIORITY) < 0) {
        dsound->Release();
        dsound = nullptr;
        return false;
    }
    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = kSoundBufferDescSize;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primaryBuffer = nullptr;
    if (dsound->CreateSoundBuffer(&desc, &primaryBuffer, nullptr) < 0) {
        dsound->Release();
        dsound = nullptr;
        return false;
    }
    // Plays, looping, for the whole run; never released.
    primaryBuffer->Play(0, 0, DSBPLAY_LOOPING);
    return true;
}

void Application::createKeyboard() {
    DirectInputCreateA(GetModuleHandleA(nullptr), 0x0700, &dinput, nullptr);
    if (dinput == nullptr) {
        return;
    }
    dinput->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr);
    if (keyboard == nullptr) {
        return;
    }
    keyboard->SetDataFormat(&c_dfDIKeyboard);
    keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    keyboard->Acquire();
}

void Application::releaseDisplay() {
    if (display.backBuffer != nullptr) {
        display.backBuffer->Release();
        display.backBuffer = nullptr;
    }
    if (display.primary != nullptr) {
        display.primary->Release();
        display.primary = nullptr;
    }
    if (display.ddraw != nullptr) {
        display.ddraw->Release();
        display.ddraw = nullptr;
    }
}
