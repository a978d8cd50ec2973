// A surface's life, description, direct access, colour key, device context and restoration.
#include "platform/core/system.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/ddraw/surface_impl.h"

using namespace platform;

namespace {

constexpr DWORD DDSD_PITCH = 0x08;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x20;
constexpr DWORD DDPF_RGB = 0x40;

void describe(const SurfaceImpl& impl, DDSURFACEDESC& desc) {
    const SDL_Surface* s = impl.pixels;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc.dwWidth = static_cast<DWORD>(s->w);
    desc.dwHeight = static_cast<DWORD>(s->h);
    desc.lPitch = s->pitch;
    desc.lpSurface = nullptr;
    DDPIXELFORMAT& pf = desc.ddpfPixelFormat;
    pf = {};
    pf.dwSize = sizeof(DDPIXELFORMAT);
    pf.dwRGBBitCount = s->format->BitsPerPixel;
    if (s->format->palette != nullptr) {
        pf.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    } else {
        pf.dwFlags = DDPF_RGB;
        pf.dwRBitMask = s->format->Rmask;
        pf.dwGBitMask = s->format->Gmask;
        pf.dwBBitMask = s->format->Bmask;
    }
    desc.ddsCaps.dwCaps = impl.primary ? (DDSCAPS_PRIMARYSURFACE | (impl.attached ? DDSCAPS_FLIP | DDSCAPS_COMPLEX : 0))
                                       : DDSCAPS_OFFSCREENPLAIN;
    if (impl.keyed) {
        desc.ddckCKSrcBlt = {impl.key, impl.key};
    }
}

} // namespace

IDirectDrawSurface::~IDirectDrawSurface() {
    display::unregisterSurface(impl_);
    if (impl_->dcOut) {
        gdi::clearContext(impl_->dc);
    }
    SDL_FreeSurface(impl_->pixels);
    delete impl_;
}

ULONG IDirectDrawSurface::AddRef() { return ++impl_->refs; }

ULONG IDirectDrawSurface::Release() {
    const ULONG refs = --impl_->refs;
    if (refs == 0) {
        IDirectDrawSurface* attached = impl_->attached;
        sys::trace("IDirectDrawSurface::Release");
        delete this;
        // The flip chain goes with its primary.
        if (attached != nullptr) {
            attached->Release();
        }
    }
    return refs;
}

HRESULT IDirectDrawSurface::GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** attached) {
    if (caps == nullptr || attached == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *attached = nullptr;
    if (const HRESULT fault = display::faultCode(Fault::GetAttachedSurface); fault != DD_OK) {
        return fault;
    }
    if ((caps->dwCaps & DDSCAPS_BACKBUFFER) == 0 || impl_->attached == nullptr) {
        return DDERR_NOTFOUND;
    }
    impl_->attached->AddRef();
    *attached = impl_->attached;
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetDC(HDC* dc) {
    if (dc == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *dc = nullptr;
    if (impl_->lost) {
        return DDERR_SURFACELOST;
    }
    if (impl_->dcOut) {
        return DDERR_DCALREADYCREATED;
    }
    gdi::initContext(impl_->dc, DeviceContext::Kind::Surface, impl_->pixels);
    impl_->dcOut = true;
    *dc = &impl_->dc;
    return DD_OK;
}

HRESULT IDirectDrawSurface::ReleaseDC(HDC dc) {
    if (!impl_->dcOut || dc != &impl_->dc) {
        return DDERR_INVALIDPARAMS;
    }
    gdi::clearContext(impl_->dc);
    impl_->dcOut = false;
    return DD_OK;
}

HRESULT IDirectDrawSurface::Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE /*event*/) {
    if (desc == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    if (impl_->lost) {
        return DDERR_SURFACELOST;
    }
    if (sys::blitterBusy((flags & DDLOCK_WAIT) != 0)) {
        return DDERR_WASSTILLDRAWING;
    }
    const SDL_Surface* s = impl_->pixels;
    int x = 0;
    int y = 0;
    if (rect != nullptr) {
        if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
            rect->right > s->w || rect->bottom > s->h) {
            return DDERR_INVALIDRECT;
        }
        x = rect->left;
        y = rect->top;
    }
    describe(*impl_, *desc);
    desc->lpSurface = pixels::pixelAt(impl_->pixels, x, y);
    return DD_OK;
}

HRESULT IDirectDrawSurface::Unlock(void* /*rect*/) { return DD_OK; }

HRESULT IDirectDrawSurface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (flags != DDCKEY_SRCBLT) {
        return DDERR_INVALIDPARAMS;
    }
    // The key is a raw pixel value of the surface's width: all 32 bits at 32 bits per pixel.
    const int bits = impl_->pixels->format->BitsPerPixel;
    const Uint32 width = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1u;
    impl_->keyed = key != nullptr;
    impl_->key = key != nullptr ? key->dwColorSpaceLowValue & width : 0;
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetSurfaceDesc(DDSURFACEDESC* desc) {
    if (desc == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    describe(*impl_, *desc);
    return DD_OK;
}

HRESULT IDirectDrawSurface::IsLost() { return impl_->lost ? DDERR_SURFACELOST : DD_OK; }

HRESULT IDirectDrawSurface::Restore() {
    // Memory given back holds nothing in particular; the pattern makes a missing redraw plain.
    auto reclaimLost = [](SurfaceImpl* impl) {
        if (impl->lost) {
            impl->lost = false;
            pixels::fillLostPattern(impl->pixels);
        }
    };
    reclaimLost(impl_);
    if (impl_->attached != nullptr) {
        reclaimLost(impl_->attached->impl());
    }
    return DD_OK;
}
