// Shows frames of 0x00RRGGBB pixels in an SDL window: a streaming texture stretched to the
// window with nearest scaling, letterboxed.
#pragma once

#include <cstdint>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Rect;

namespace platform {

class SdlPresenter {
public:
    SdlPresenter() = default;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;
    ~SdlPresenter();

    // Binds to a window; the renderer is made on the first frame. flags: SDL_RENDERER_ flags.
    void attach(SDL_Window* window, std::uint32_t rendererFlags);
    void detach();
    // Uploads and shows one frame; false when there is nowhere to show it.
    bool show(const std::uint32_t* pixels, int width, int height, int pitchBytes);
    bool vsync() const { return vsync_; }
    bool attached() const { return window_ != nullptr; }

private:
    bool ready(int width, int height);
    SDL_Rect letterbox(int width, int height) const;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::uint32_t rendererFlags_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool vsync_ = false;
};

} // namespace platform
