// Where the game draws things: the pub's geometry that the pictures must match.
#pragma once

namespace assetgen::layout {

struct Bar {
    int left;    // near end of the counter
    int door;    // door edge: customers are hidden right of it
    int back;    // back edge of the counter top (customers' waists)
    int front;   // front edge of the counter top (mug bases)
    int bottom;  // bottom of the counter's front face
    int lane;    // customers' lane y
    int mugY;    // mug drawing y
    int tenderX; // bartender's standing drawing position
    int tenderY;
};

constexpr Bar kBars[3] = {
    {140, 641, 146, 171, 204, 85, 120, 110, 122},
    {112, 673, 299, 326, 364, 234, 275, 75, 277},
    {84, 710, 465, 491, 532, 400, 440, 45, 442},
};

constexpr int kDoorWidth = 50;
// Calm area under the score panel.
constexpr int kHudLeft = 715, kHudTop = 10, kHudRight = 790, kHudBottom = 140;

// Mugs: the base of a full mug sits this far below its drawing y.
constexpr int kMugBase = 50;

} // namespace assetgen::layout
