// A page shows the frame as a bare canvas page would: the 800x600 picture put into a canvas of its
// own (module.brannocFrame, which tests may read), drawn by the whole factor into the visible
// canvas (brannocScreen) with smoothing off, and that canvas scaled the rest of the way and
// letterboxed by the browser, smoothly, in the box of its parent element.
#include "platform/desktop/sdl_presenter.h"

#include <emscripten.h>

#include <vector>

#include "platform/core/page.h"
#include "platform/present/scale_plan.h"

namespace platform {

namespace {

// The picture area's size in device pixels, or 0 by 0 where the page gives none.
// clang-format off
EM_JS(void, pageAreaPixels, (int* size), {
    const screen = Module['brannocScreen'];
    const area = screen && screen.parentElement;
    const ratio = window.devicePixelRatio || 1;
    HEAP32[size >> 2] = area ? Math.round(area.clientWidth * ratio) : 0;
    HEAP32[(size >> 2) + 1] = area ? Math.round(area.clientHeight * ratio) : 0;
});
// clang-format on

// clang-format off
EM_JS(void, showOnPage, (const void* rgba, int width, int height, const int* plan), {
    const screen = Module['brannocScreen'];
    let shown = Module['brannocShown'];
    // The frame's canvas and its image are made once and kept while the game's memory stays where
    // it is, so that a frame leaves nothing behind for the browser to collect.
    if (!shown || shown.buffer !== HEAPU8.buffer || shown.rgba !== rgba || shown.width !== width ||
        shown.height !== height) {
        const frame = Module['brannocFrame'] || document.createElement('canvas');
        frame.width = width;
        frame.height = height;
        Module['brannocFrame'] = frame;
        const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
        shown = Module['brannocShown'] = {buffer: HEAPU8.buffer, rgba: rgba, width: width, height: height,
            image: new ImageData(pixels, width, height), context: frame.getContext('2d'), layout: [0, 0, 0, 0, 0, 0, 0]};
    }
    shown.context.putImageData(shown.image, 0, 0);
    const at = plan >> 2;
    const stepWidth = HEAP32[at], stepHeight = HEAP32[at + 1];
    const context = screen.getContext('2d');
    const ratio = window.devicePixelRatio || 1;
    const layout = shown.layout;
    let moved = layout[6] !== ratio || screen.width !== stepWidth || screen.height !== stepHeight;
    for (let i = 0; i < 6; ++i) {
        if (layout[i] !== HEAP32[at + i]) moved = true;
        layout[i] = HEAP32[at + i];
    }
    layout[6] = ratio;
    if (moved) {
        screen.width = stepWidth;
        screen.height = stepHeight;
        const css = (value) => (value / ratio) + 'px';
        Object.assign(screen.style, {position: 'absolute', imageRendering: 'auto', left: css(HEAP32[at + 2]),
            top: css(HEAP32[at + 3]), width: css(HEAP32[at + 4]), height: css(HEAP32[at + 5])});
    }
    context.imageSmoothingEnabled = false;
    context.drawImage(shown.context.canvas, 0, 0, stepWidth, stepHeight);
});
// clang-format on

std::vector<std::uint32_t> rgba; // the frame in the canvas's byte order

} // namespace

SdlPresenter::~SdlPresenter() { detach(); }

void SdlPresenter::attach(SDL_Window* window, std::uint32_t) { window_ = window; }

void SdlPresenter::detach() { window_ = nullptr; }

bool SdlPresenter::show(const std::uint32_t* pixels, int width, int height, int pitchBytes) {
    int area[2] = {0, 0};
    pageAreaPixels(area);
    if (window_ == nullptr || area[0] <= 0 || area[1] <= 0) return false;
    rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::uint32_t* out = rgba.data();
    for (int row = 0; row < height; ++row) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const std::uint8_t*>(pixels) +
                                                                static_cast<std::ptrdiff_t>(row) * pitchBytes);
        // 0x00RRGGBB to the bytes R, G, B, 255.
        for (int col = 0; col < width; ++col) {
            std::uint32_t p = in[col];
            *out++ = 0xFF000000u | (p & 0x0000FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
        }
    }
    ScalePlan plan = planScale(width, height, area[0], area[1]);
    int placed[6] = {plan.stepWidth, plan.stepHeight, plan.x, plan.y, plan.width, plan.height};
    showOnPage(rgba.data(), width, height, placed);
    page::framePresented();
    return true;
}

} // namespace platform
