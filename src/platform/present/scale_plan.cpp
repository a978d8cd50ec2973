#include "platform/present/scale_plan.h"

#include <algorithm>

namespace platform {

ScalePlan planScale(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight) {
    ScalePlan plan;
    // The side that fills the screen decides; the other is cut to the picture's shape.
    if (static_cast<long>(screenWidth) * pictureHeight <= static_cast<long>(screenHeight) * pictureWidth) {
        plan.width = screenWidth;
        plan.height = static_cast<int>(static_cast<long>(pictureHeight) * screenWidth / pictureWidth);
    } else {
        plan.height = screenHeight;
        plan.width = static_cast<int>(static_cast<long>(pictureWidth) * screenHeight / pictureHeight);
    }
    plan.x = (screenWidth - plan.width) / 2;
    plan.y = (screenHeight - plan.height) / 2;
    // A screen smaller than the picture still takes it whole, then shrinks it.
    plan.factor = std::max(1, std::min(plan.width / pictureWidth, plan.height / pictureHeight));
    plan.stepWidth = pictureWidth * plan.factor;
    plan.stepHeight = pictureHeight * plan.factor;
    return plan;
}

} // namespace platform
