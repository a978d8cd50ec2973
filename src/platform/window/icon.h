// An icon loaded from the resources: a picture the window shows as its own.
#pragma once

struct SDL_Surface;

struct IconObject {
    SDL_Surface* picture;
};
