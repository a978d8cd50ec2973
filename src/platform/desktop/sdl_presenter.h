// Shows frames of 0x00RRGGBB pixels in an SDL window: a streaming texture scaled to the window
// in the two steps of planScale (nearest by a whole factor into a target texture, then linear),
// letterboxed.
#pragma once

#include <cstdint>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

struct ScalePlan;

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
    // Vsync on or off from the next frame; a renderer that cannot switch is made anew.
    void setVsync(bool on);
    // The refresh period of the display the window is on; 0 when it does not say.
    std::int64_t refreshNs() const;
    bool attached() const { return window_ != nullptr; }

private:
    bool ready(int width, int height);
    void dropRenderer();
    SDL_Texture* nearestStep(const ScalePlan& plan);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Texture* step_ = nullptr; // the picture after the nearest step, when that is not the end
    std::uint32_t rendererFlags_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool vsync_ = false;
};

} // namespace platform
