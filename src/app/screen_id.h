// The number of the screen that draws each frame.
#pragma once

#include <cstdint>

using ScreenId = std::int32_t;

constexpr ScreenId SCREEN_TITLE = 0;
constexpr ScreenId SCREEN_HELP = 1;
constexpr ScreenId SCREEN_PLAY = 3; // 2 is never assigned and draws nothing
