// The per-frame display work: the back buffer cleared before each frame, and the flip after it.
#include <cstring>

#include "app/application.h"

namespace {
constexpr DWORD kBltFxSize = 100;
} // namespace

void Application::clearBackBuffer() {
    std::memset(&clearFx, 0, sizeof clearFx);
    clearFx.dwSize = kBltFxSize;
    clearFx.dwFillColor = 0;
    if (display.backBuffer != nullptr) {
        display.backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &clearFx);
    }
}

void Application::flip() {
    if (display.primary == nullptr) {
        return;
    }
    if (display.primary->Flip(nullptr, DDFLIP_WAIT) != DD_OK) {
        display.primary->Restore();
    }
}
