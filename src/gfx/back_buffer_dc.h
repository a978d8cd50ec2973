// The back buffer's device context, borrowed for one drawing call and always given back.
#pragma once

#include "gfx/display.h"

class BackBufferDc {
public:
    explicit BackBufferDc(Display* display) : surface_(display != nullptr ? display->backBuffer : nullptr) {
        if (surface_ != nullptr && surface_->GetDC(&dc_) != DD_OK) {
            dc_ = nullptr;
        }
    }
    ~BackBufferDc() {
        if (dc_ != nullptr) {
            surface_->ReleaseDC(dc_);
        }
    }
    BackBufferDc(const BackBufferDc&) = delete;
    BackBufferDc& operator=(const BackBufferDc&) = delete;

    // Null before the display exists, or when the back buffer refused (lost, for instance):
    // that call then draws nothing.
    HDC get() const { return dc_; }

private:
    IDirectDrawSurface* surface_;
    HDC dc_ = nullptr;
};
