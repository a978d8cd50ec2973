// Shows frames of 0x00RRGGBB pixels on the page as a bare canvas page would: in the two steps of
// planScale, the whole factor drawn by the game into the page's canvas, the rest of the way and
// the letterbox by the browser.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

class CanvasPresenter {
public:
    // Uploads and shows one frame; false when the page gives it no room.
    bool show(const std::uint32_t* pixels, int width, int height, int pitchBytes);

private:
    std::vector<std::uint32_t> rgba_; // the frame in the canvas's byte order
};

} // namespace platform
