// The flip: the back buffer's frame goes to the backend in 0x00RRGGBB, which shows it and paces.
#include "platform/core/backend.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/ddraw/surface_impl.h"

using namespace platform;

HRESULT IDirectDrawSurface::Flip(IDirectDrawSurface* /*targetOverride*/, DWORD /*flags*/) {
    if (!impl_->primary || impl_->attached == nullptr) {
        return DDERR_NOTFLIPPABLE;
    }
    SurfaceImpl& back = *impl_->attached->impl();
    if (impl_->lost || back.lost) {
        return DDERR_SURFACELOST;
    }
    // The back buffer keeps the frame it showed, so what was presented can still be read there.
    const SDL_Surface* frame = back.pixels;
    if (frame->format->BitsPerPixel == 32) {
        // Every writer keeps the spare byte clear, so these pixels are already 0x00RRGGBB.
        backend().present(static_cast<const std::uint32_t*>(frame->pixels), frame->w, frame->h, frame->pitch);
        return DD_OK;
    }
    impl_->frame.resize(static_cast<std::size_t>(frame->w) * static_cast<std::size_t>(frame->h));
    pixels::toXrgb(frame, impl_->frame.data());
    backend().present(impl_->frame.data(), frame->w, frame->h, frame->w * 4);
    return DD_OK;
}
