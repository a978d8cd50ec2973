// Every picture of the game, each made by its own file.
#pragma once

#include "image.h"

namespace assetgen {

Image drawFloor();
Image drawBartender();
Image drawBeer();
Image drawCustomers();
Image drawTitleSign();
Image drawExplosions();
Image drawFires();
Image drawLogo();
// The window's icon is the 32-pixel one; the desktop's menus take it at other sizes.
Image drawIcon(int size = 32);

// All pictures side by side, with a made-up play scene, for people to review.
Image drawContactSheet(const Image& floor, const Image& bartender, const Image& beer, const Image& customers,
                       const Image& sign, const Image& explosions, const Image& fires, const Image& logo,
                       const Image& icon);

// Ordered dither: true when a pixel at (x, y) of a surface with level 0..1 takes the lighter shade.
bool ditherOn(int x, int y, double level);

} // namespace assetgen
