#include "platform/desktop/sdl_presenter.h"

#include <SDL.h>

#include <cstring>

#include "platform/present/scale_plan.h"

namespace platform {

SdlPresenter::~SdlPresenter() { detach(); }

void SdlPresenter::attach(SDL_Window* window, std::uint32_t rendererFlags) {
    if (window == window_) return;
    detach();
    window_ = window;
    rendererFlags_ = rendererFlags;
}

void SdlPresenter::detach() {
    dropRenderer();
    window_ = nullptr;
}

void SdlPresenter::dropRenderer() {
    if (step_ != nullptr) SDL_DestroyTexture(step_);
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    step_ = nullptr;
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    width_ = height_ = 0;
    vsync_ = false;
}

void SdlPresenter::setVsync(bool on) {
    if (on == ((rendererFlags_ & SDL_RENDERER_PRESENTVSYNC) != 0)) return;
    rendererFlags_ = on ? rendererFlags_ | SDL_RENDERER_PRESENTVSYNC : rendererFlags_ & ~SDL_RENDERER_PRESENTVSYNC;
    if (renderer_ == nullptr) return;
    if (SDL_RenderSetVSync(renderer_, on ? 1 : 0) == 0) {
        vsync_ = on;
    } else if (!on) {
        dropRenderer(); // a vsync it cannot let go of: made anew without
    }
}

std::int64_t SdlPresenter::refreshNs() const {
    SDL_DisplayMode mode;
    int display = window_ != nullptr ? SDL_GetWindowDisplayIndex(window_) : -1;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0 || mode.refresh_rate <= 0) return 0;
    return 1'000'000'000 / mode.refresh_rate;
}

bool SdlPresenter::ready(int width, int height) {
    if (window_ == nullptr) return false;
    if (renderer_ == nullptr) {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        renderer_ = SDL_CreateRenderer(window_, -1, rendererFlags_);
        // Vertical sync is taken where offered, not required.
        if (renderer_ == nullptr && (rendererFlags_ & SDL_RENDERER_PRESENTVSYNC) != 0)
            renderer_ = SDL_CreateRenderer(window_, -1, rendererFlags_ & ~SDL_RENDERER_PRESENTVSYNC);
        if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_ == nullptr) return false;
        SDL_RendererInfo info;
        vsync_ = SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    }
    if (texture_ == nullptr || width != width_ || height != height_) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (texture_ == nullptr) return false;
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
        width_ = width;
        height_ = height;
    }
    return true;
}

// The picture after the nearest step, ready to be drawn the rest of the way: itself where the
// fit is whole (nearest alone) or the factor is 1 (linear alone), otherwise the target texture
// it was drawn into at the whole factor.
SDL_Texture* SdlPresenter::nearestStep(const ScalePlan& plan) {
    if (plan.wholeFit()) {
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
        return texture_;
    }
    if (plan.factor > 1 && SDL_RenderTargetSupported(renderer_)) {
        int stepWidth = 0, stepHeight = 0;
        if (step_ != nullptr) SDL_QueryTexture(step_, nullptr, nullptr, &stepWidth, &stepHeight);
        if (step_ == nullptr || stepWidth != plan.stepWidth || stepHeight != plan.stepHeight) {
            if (step_ != nullptr) SDL_DestroyTexture(step_);
            step_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET, plan.stepWidth,
                                      plan.stepHeight);
            if (step_ != nullptr) SDL_SetTextureScaleMode(step_, SDL_ScaleModeLinear);
        }
        if (step_ != nullptr && SDL_SetRenderTarget(renderer_, step_) == 0) {
            SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
            SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
            SDL_SetRenderTarget(renderer_, nullptr);
            return step_;
        }
    }
    // No target textures here: linear all the way is still even, if softer.
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
    return texture_;
}

bool SdlPresenter::show(const std::uint32_t* pixels, int width, int height, int pitchBytes) {
    if (pixels == nullptr || width <= 0 || height <= 0 || !ready(width, height)) return false;
    void* target = nullptr;
    int targetPitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &target, &targetPitch) != 0) return false;
    auto* from = reinterpret_cast<const std::uint8_t*>(pixels);
    auto* to = static_cast<std::uint8_t*>(target);
    std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y, from += pitchBytes, to += targetPitch) std::memcpy(to, from, rowBytes);
    SDL_UnlockTexture(texture_);
    // Worked out from the renderer's real output every frame: the window changes size.
    int outWidth = width, outHeight = height;
    SDL_GetRendererOutputSize(renderer_, &outWidth, &outHeight);
    ScalePlan plan = planScale(width, height, outWidth, outHeight);
    SDL_Texture* picture = nearestStep(plan);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderSetViewport(renderer_, nullptr);
    SDL_RenderClear(renderer_);
    SDL_Rect place{plan.x, plan.y, plan.width, plan.height};
    SDL_RenderCopy(renderer_, picture, nullptr, &place);
    SDL_RenderPresent(renderer_);
    return true;
}

} // namespace platform
