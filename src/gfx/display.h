// The display record that sprites, the text pen and the shape painter are bound to.
#pragma once

#include "platform/ddraw.h"

struct Display {
    IDirectDraw* ddraw;
    IDirectDrawSurface* backBuffer; // every frame draws here
    IDirectDrawSurface* primary;    // flipped to show the back buffer
};
