#include "platform/web/canvas_presenter.h"

#include <cstddef>

#include "platform/present/scale_plan.h"
#include "platform/web/page.h"

namespace platform {

bool CanvasPresenter::show(const std::uint32_t* pixels, int width, int height, int pitchBytes) {
    int areaWidth = 0, areaHeight = 0;
    brannoc_picture_area(&areaWidth, &areaHeight);
    if (areaWidth <= 0 || areaHeight <= 0) return false;
    rgba_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::uint32_t* out = rgba_.data();
    for (int row = 0; row < height; ++row) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const std::uint8_t*>(pixels) +
                                                                static_cast<std::ptrdiff_t>(row) * pitchBytes);
        // 0x00RRGGBB to the bytes R, G, B, 255.
        for (int col = 0; col < width; ++col) {
            std::uint32_t p = in[col];
            *out++ = 0xFF000000u | (p & 0x0000FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
        }
    }
    ScalePlan plan = planScale(width, height, areaWidth, areaHeight);
    brannoc_show_frame(rgba_.data(), width, height, plan.stepWidth, plan.stepHeight, plan.x, plan.y, plan.width,
                       plan.height);
    return true;
}

} // namespace platform
