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

} // namespace

void soundStarted(int resourceId) { tellPage("soundStarted", resourceId); }
void framePresented() { tellPage("framePresented", 0); }
void activated(bool active) { tellPage("activated", active ? 1 : 0); }

} // namespace platform::page
