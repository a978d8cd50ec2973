#include "screens/title_screen.h"

std::int32_t titleStep = -1;
bool stepping = true;
bool bursting = false;
bool typing = false;
std::int32_t phaseTicks = 0;
std::int32_t revealWidth = 0;
std::int32_t burstFrame = 0;
std::int32_t fireCount = 0;
std::int32_t letterCount = -1;
bool cursorHidden = false;
std::int32_t cursorTicks = 0;

void resetTitleState() {
    titleStep = -1;
    stepping = true;
    bursting = false;
    typing = false;
    phaseTicks = 0;
    revealWidth = 0;
    burstFrame = 0;
    fireCount = 0;
    letterCount = -1;
    cursorHidden = false;
    cursorTicks = 0;
}
