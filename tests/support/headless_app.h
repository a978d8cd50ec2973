// The game's window and display as start-up makes them, on the headless backend.
#pragma once

#include "platform/headless.h"

// 800 by 600 at the depth code given; 4 keeps the desktop's depth.
bool createApplication(int depthCode = 4);

// The same with a new Application on a freshly reset headless world.
bool startApplication(const platform::HeadlessOptions& options = {}, int depthCode = 4);
