// What stands behind the display object and its surfaces. Internal to the platform.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/core/test_types.h"
#include "platform/ddraw.h"
#include "platform/gdi/gdi_objects.h"

struct SurfaceImpl {
    SDL_Surface* pixels = nullptr;
    ULONG refs = 1;
    bool primary = false;
    bool lost = false;
    bool keyed = false;
    Uint32 key = 0;                         // raw source colour key
    IDirectDrawSurface* attached = nullptr; // the primary's back buffer; the primary holds one reference
    DeviceContext dc;                       // handed out by GetDC
    bool dcOut = false;
    std::vector<std::uint32_t> frame; // the primary's presented frame, for modes other than 32 bits
};

struct DisplayImpl {
    ULONG refs = 1;
    int width = 800;
    int height = 600;
    int bits = 32;
};

namespace platform::display {

// Every live surface, so that deactivation can lose them all.
void registerSurface(SurfaceImpl* surface);
void unregisterSurface(SurfaceImpl* surface);

// DD_OK, or the failure injected into that set-up call.
HRESULT faultCode(Fault fault);

// Makes a surface object of one reference over fresh pixels; null when out of memory.
IDirectDrawSurface* makeSurface(int width, int height, int bits);

} // namespace platform::display
