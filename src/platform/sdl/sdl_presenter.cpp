#include "platform/sdl/sdl_presenter.h"

#include <SDL.h>

#include <cstring>

namespace platform {

SdlPresenter::~SdlPresenter() { detach(); }

void SdlPresenter::attach(SDL_Window* window, std::uint32_t rendererFlags) {
    if (window == window_) return;
    detach();
    window_ = window;
    rendererFlags_ = rendererFlags;
}

void SdlPresenter::detach() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    width_ = height_ = 0;
    vsync_ = false;
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

// The picture's shape kept on any screen, as large as fits, with black bars. Worked out from the
// renderer's real output every frame, since the window may change size after it was made.
SDL_Rect SdlPresenter::letterbox(int width, int height) const {
    int outWidth = width;
    int outHeight = height;
    SDL_GetRendererOutputSize(renderer_, &outWidth, &outHeight);
    SDL_Rect place;
    if (static_cast<long>(outWidth) * height <= static_cast<long>(outHeight) * width) {
        place.w = outWidth;
        place.h = static_cast<int>(static_cast<long>(height) * outWidth / width);
    } else {
        place.h = outHeight;
        place.w = static_cast<int>(static_cast<long>(width) * outHeight / height);
    }
    place.x = (outWidth - place.w) / 2;
    place.y = (outHeight - place.h) / 2;
    return place;
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
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderSetViewport(renderer_, nullptr);
    SDL_RenderClear(renderer_);
    SDL_Rect place = letterbox(width, height);
    SDL_RenderCopy(renderer_, texture_, nullptr, &place);
    SDL_RenderPresent(renderer_);
    return true;
}

} // namespace platform
