#include "game/game_vars.h"

GameVars gameVars;

std::int32_t lastMug = 0;
std::int32_t stepCounter = 0;
std::int32_t framesPerStep = 0;
std::int32_t lookYOffset = 0;

std::int32_t barOf(std::int32_t y) {
    if (y < 140) {
        return 1;
    }
    if (y > 160 && y < 280) {
        return 2;
    }
    if (y > 300) {
        return 3;
    }
    return 0;
}
