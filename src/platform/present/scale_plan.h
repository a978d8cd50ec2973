// How the picture fills a screen of another size: as large as fits, its shape kept with black
// bars, in two steps so that every picture pixel comes out as wide as every other to within one
// screen pixel: first by the largest whole factor that fits (nearest), then the rest of the way
// (linear). Where the fit is a whole factor, the first step is all there is.
#pragma once

namespace platform {

struct ScalePlan {
    int factor = 1;    // the nearest step's whole factor
    int stepWidth = 0; // the picture after the nearest step
    int stepHeight = 0;
    int x = 0, y = 0; // where it ends up on the screen, letterboxed
    int width = 0, height = 0;

    bool wholeFit() const { return width == stepWidth && height == stepHeight; }
};

ScalePlan planScale(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight);

} // namespace platform
