// The page around the game hears of its sounds, frames and activation, where it asks to.
#include "platform/core/page.h"

#include <emscripten.h>

namespace platform::page {

namespace {

// clang-format off
EM_JS(void, tellPage, (const char* hook, int value), {
    const page = Module['brannocPage'];
    const name = UTF8ToString(hook);
    if (page && page[name]) page[name](value);
});
// clang-format on

// The display frame the picture goes out in: the one that let the game draw it.
// clang-format off
EM_JS(void, tellFrame, (), {
    const page = Module['brannocPage'];
    if (page && page.framePresented) page.framePresented(Module['brannocDisplayFrame'] ?? performance.now());
});
// clang-format on

// The game's main yields to the browser in its waits, and when it at last returns no one is
// waiting for it: the runtime hands its return to whoever asked, and this asks, so that the game
// ends as a program does (its objects let go, the page told through onExit).
// clang-format off
EM_JS(void, watchForTheEnd, (), {
    if (typeof Asyncify == 'undefined') return; // a program that never yields ends as usual
    Asyncify.asyncPromiseHandlers = {
        resolve: (code) => setTimeout(() => {
            try {
                exit(code);
            } catch (e) {
                if (!(e instanceof ExitStatus)) throw e;
            }
        }, 0),
        reject: (error) => abort(error),
    };
});
// clang-format on

const bool watching = (watchForTheEnd(), true);

} // namespace

void soundStarted(int resourceId) { tellPage("soundStarted", resourceId); }
void framePresented() { tellFrame(); }
void activated(bool active) { tellPage("activated", active ? 1 : 0); }

} // namespace platform::page
