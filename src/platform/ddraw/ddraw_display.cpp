// The display object: creation, cooperative level, display mode and surface creation, and the
// loss of every surface when the game is switched away from in full-screen exclusive mode.
#include <algorithm>

#include "platform/core/backend.h"
#include "platform/core/system.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/ddraw/surface_impl.h"

namespace platform::display {

namespace {

// Created on first use and never destroyed: the game releases its display at static teardown.
std::vector<SurfaceImpl*>& liveSurfaces() {
    static auto* surfaces = new std::vector<SurfaceImpl*>();
    return *surfaces;
}

IDirectDraw*& exclusiveOwner() {
    static IDirectDraw* owner = nullptr;
    return owner;
}

constexpr int MaxSurfaceSide = 8192;

} // namespace

HRESULT faultCode(Fault fault) {
    HRESULT code = E_FAIL;
    if (!sys::faulted(fault, &code)) {
        return DD_OK;
    }
    return FAILED(code) ? code : DDERR_GENERIC;
}

void registerSurface(SurfaceImpl* surface) { liveSurfaces().push_back(surface); }

void unregisterSurface(SurfaceImpl* surface) {
    auto& surfaces = liveSurfaces();
    surfaces.erase(std::remove(surfaces.begin(), surfaces.end(), surface), surfaces.end());
}

IDirectDrawSurface* makeSurface(int width, int height, int bits) {
    SDL_Surface* pixels = pixels::createSurface(width, height, bits);
    if (pixels == nullptr) {
        return nullptr;
    }
    auto* impl = new SurfaceImpl();
    impl->pixels = pixels;
    registerSurface(impl);
    return new IDirectDrawSurface(impl);
}

} // namespace platform::display

namespace platform::sys {

void loseAllSurfaces() {
    if (!fullscreenExclusive()) {
        return;
    }
    for (SurfaceImpl* surface : display::liveSurfaces()) {
        surface->lost = true;
    }
}

bool fullscreenExclusive() { return display::exclusiveOwner() != nullptr; }

} // namespace platform::sys

using namespace platform;

HRESULT DirectDrawCreate(GUID* /*driver*/, IDirectDraw** ddraw, void* outer) {
    if (ddraw == nullptr || outer != nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *ddraw = nullptr;
    if (const HRESULT fault = display::faultCode(Fault::DirectDrawCreate); fault != DD_OK) {
        return fault;
    }
    // No screen to show anything on (no X server, say): the game says so at its first step.
    if (!backend().hasDisplay()) {
        return DDERR_NODIRECTDRAWHW;
    }
    auto* impl = new DisplayImpl();
    // Until a mode is set, the display runs at the desktop's depth.
    const int desktop = backend().desktopBits();
    impl->bits = pixels::formatForBits(desktop) != SDL_PIXELFORMAT_UNKNOWN ? desktop : 32;
    *ddraw = new IDirectDraw(impl);
    sys::trace("DirectDrawCreate");
    return DD_OK;
}

IDirectDraw::~IDirectDraw() { delete impl_; }

ULONG IDirectDraw::AddRef() { return ++impl_->refs; }

ULONG IDirectDraw::Release() {
    const ULONG refs = --impl_->refs;
    if (refs == 0) {
        if (display::exclusiveOwner() == this) {
            display::exclusiveOwner() = nullptr;
            sys::leaveFullscreen();
        }
        sys::trace("IDirectDraw::Release");
        delete this;
    }
    return refs;
}

HRESULT IDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    if (const HRESULT fault = display::faultCode(Fault::SetCooperativeLevel); fault != DD_OK) {
        return fault;
    }
    const bool fullscreen = (flags & DDSCL_FULLSCREEN) != 0;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    if (fullscreen != exclusive || (fullscreen && window == nullptr)) {
        return DDERR_INVALIDPARAMS;
    }
    if (!fullscreen) {
        if (display::exclusiveOwner() == this) {
            display::exclusiveOwner() = nullptr;
            sys::leaveFullscreen();
        }
        return DD_OK;
    }
    if (!sys::enterFullscreen(window)) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    // A display object left behind unreleased does not keep a new one out.
    display::exclusiveOwner() = this;
    return DD_OK;
}

HRESULT IDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel) {
    if (display::faultCode(Fault::SetDisplayMode) != DD_OK) {
        return DDERR_INVALIDMODE;
    }
    if (width == 0 || height == 0 || width > display::MaxSurfaceSide || height > display::MaxSurfaceSide ||
        pixels::formatForBits(static_cast<int>(bitsPerPixel)) == SDL_PIXELFORMAT_UNKNOWN) {
        return DDERR_INVALIDMODE;
    }
    impl_->width = static_cast<int>(width);
    impl_->height = static_cast<int>(height);
    impl_->bits = static_cast<int>(bitsPerPixel);
    return DD_OK;
}

HRESULT IDirectDraw::CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer) {
    // 108 is the description's size where pointers are 32 bits wide.
    if (desc == nullptr || surface == nullptr || outer != nullptr || (desc->dwFlags & DDSD_CAPS) == 0 ||
        (desc->dwSize != 108 && desc->dwSize != sizeof(DDSURFACEDESC))) {
        return DDERR_INVALIDPARAMS;
    }
    *surface = nullptr;
    const DWORD caps = desc->ddsCaps.dwCaps;
    if ((caps & DDSCAPS_PRIMARYSURFACE) != 0) {
        if (const HRESULT fault = display::faultCode(Fault::CreateSurface); fault != DD_OK) {
            return fault;
        }
        const bool chain = (caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX)) == (DDSCAPS_FLIP | DDSCAPS_COMPLEX);
        const bool counted = (desc->dwFlags & DDSD_BACKBUFFERCOUNT) != 0;
        if (chain != counted || (chain && desc->dwBackBufferCount != 1)) {
            return DDERR_INVALIDPARAMS; // a flip chain of one back buffer, or a lone primary
        }
        IDirectDrawSurface* primary = display::makeSurface(impl_->width, impl_->height, impl_->bits);
        if (primary == nullptr) {
            return DDERR_OUTOFMEMORY;
        }
        primary->impl()->primary = true;
        if (chain) {
            IDirectDrawSurface* back = display::makeSurface(impl_->width, impl_->height, impl_->bits);
            if (back == nullptr) {
                primary->Release();
                return DDERR_OUTOFMEMORY;
            }
            primary->impl()->attached = back;
        }
        *surface = primary;
        return DD_OK;
    }
    if (const HRESULT fault = display::faultCode(Fault::CreateOffscreenSurface); fault != DD_OK) {
        return fault;
    }
    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) || desc->dwWidth == 0 ||
        desc->dwHeight == 0 || desc->dwWidth > display::MaxSurfaceSide || desc->dwHeight > display::MaxSurfaceSide) {
        return DDERR_INVALIDPARAMS;
    }
    *surface = display::makeSurface(static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), impl_->bits);
    return *surface != nullptr ? DD_OK : DDERR_OUTOFMEMORY;
}
