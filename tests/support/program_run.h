// Runs the whole program in-process on the headless backend with a script called at every flip.
#pragma once

#include <functional>
#include <vector>

#include "app/globals.h"
#include "platform/headless.h"
#include "program/run_game.h"

struct ProgramRun {
    std::vector<ScreenId> screens; // the screen of every presented frame
    int exitCode = -1;
};

// The script gets the number of the frame just presented. A run that goes on past maxFrames is
// closed, so a broken script cannot hang the suite.
inline ProgramRun runProgram(const std::function<void(int)>& script, int maxFrames = 3000) {
    ProgramRun run;
    platform::headless::setFlipHook([&](int presented) {
        run.screens.push_back(app.screen());
        script(presented);
        if (presented >= maxFrames) {
            PostMessageA(app.window, WM_CLOSE, 0, 0);
        }
    });
    run.exitCode = brannocMain(GetModuleHandleA(nullptr));
    platform::headless::setFlipHook(nullptr);
    return run;
}

// Ends a run from inside the script: a key pressed while Escape is held, in play.
inline void pressEscape() {
    platform::headless::setKeyDown(DIK_ESCAPE, true);
    platform::headless::pressKey(DIK_ESCAPE);
}
