// The two steps from the 800 by 600 picture to a screen: the nearest step's whole factor and
// where the picture ends up, letterboxed.
#include <gtest/gtest.h>

#include "platform/present/scale_plan.h"

namespace {

using platform::planScale;

struct Screen {
    int width, height;
    int factor;
    int x, y, w, h;
    bool whole;
};

TEST(ScalePlan, DesktopSizes) {
    const Screen screens[] = {
        {1920, 1080, 1, 240, 0, 1440, 1080, false},
        {2560, 1440, 2, 320, 0, 1920, 1440, false},
        {3840, 2160, 3, 480, 0, 2880, 2160, false},
        {1366, 768, 1, 171, 0, 1024, 768, false},
        {800, 600, 1, 0, 0, 800, 600, true},
        {1600, 1200, 2, 0, 0, 1600, 1200, true},
        // A tall screen puts the bars above and below.
        {800, 1280, 1, 0, 340, 800, 600, true},
        // A window smaller than the picture takes it whole, then shrinks it.
        {400, 300, 1, 0, 0, 400, 300, false},
        {1000, 600, 1, 100, 0, 800, 600, true},
    };
    for (const Screen& s : screens) {
        SCOPED_TRACE(testing::Message() << s.width << "x" << s.height);
        const platform::ScalePlan plan = planScale(800, 600, s.width, s.height);
        EXPECT_EQ(plan.factor, s.factor);
        EXPECT_EQ(plan.stepWidth, 800 * s.factor);
        EXPECT_EQ(plan.stepHeight, 600 * s.factor);
        EXPECT_EQ(plan.x, s.x);
        EXPECT_EQ(plan.y, s.y);
        EXPECT_EQ(plan.width, s.w);
        EXPECT_EQ(plan.height, s.h);
        EXPECT_EQ(plan.wholeFit(), s.whole);
    }
}

} // namespace
