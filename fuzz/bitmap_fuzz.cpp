// Arbitrary bytes as a bitmap file: loaded into a sprite, keyed and drawn on a 32-bit display.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "app/display.h"
#include "gfx/sprite.h"
#include "platform/headless.h"
#include "platform/window.h"

namespace {

Display display = {};
std::string path;

void openDisplay() {
    platform::HeadlessOptions options;
    options.desktopBits = 32;
    platform::useHeadless(options);
    platform::headless::reset(options);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "BitmapFuzz";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "BitmapFuzz", "BitmapFuzz", WS_POPUPWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    DirectDrawCreate(nullptr, &display.ddraw, nullptr);
    display.ddraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    display.ddraw->SetDisplayMode(800, 600, 32);
    DDSURFACEDESC desc = {};
    desc.dwSize = 108;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    display.ddraw->CreateSurface(&desc, &display.primary, nullptr);
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    display.primary->GetAttachedSurface(&caps, &display.backBuffer);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    openDisplay();
    // Memory-backed when there is such a place: each input is written out once per run.
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    path = std::string(dir) + "/bfuzz-" + std::to_string(::getpid()) + ".bmp";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    Sprite sprite;
    if (sprite.load(path.c_str(), &display)) {
        sprite.setColorKey(RGB(0, 255, 0));
        sprite.blitWhole(0, 0);
        sprite.blit(1, 1, sprite.width / 2, sprite.height / 2, 10, 10);
        sprite.release();
    }
    // libFuzzer may end with _Exit, so nothing is left for an exit handler to tidy.
    std::remove(path.c_str());
    // The platform's log grows with every release; keeping it short keeps the leak checks rare.
    platform::headless::clearTrace();
    return 0;
}
