// The counters of the current game and the play globals beside the pub screen.
#pragma once

#include <cstdint>

struct GameVars {
    std::int32_t level = 1;
    std::int32_t lives = 3;
    std::int32_t round = 1;         // 1 to 14 within a cycle
    std::int32_t bartenderPose = 1; // 1 standing, 2 pouring, 3 life lost, 4 round done
    std::int32_t bartenderBar = 1;  // 1 to 3; kept across a restart
    std::int32_t customerCount = 1; // customers of this round, the active records
    std::int32_t mugSpeed = 2;
    std::int32_t customerStep = 1;
    std::int32_t drinkSteps = 300;
    std::int32_t spawnSpread = 400;
};

extern GameVars gameVars;

extern std::int32_t lastMug;       // every pass over mugs runs 0 to lastMug
extern std::int32_t stepCounter;   // frames since the last movement step
extern std::int32_t framesPerStep; // movement pace measured at load
extern std::int32_t lookYOffset;   // raises look 5 while one customer is drawn

// The bar of a customer lane: 1 to 3, or 0 for none.
std::int32_t barOf(std::int32_t y);
