// A page shows a box in its own words, above the picture, instead of the browser's alert.
#include <emscripten.h>

#include "platform/sdl/sdl_events.h"

namespace platform {

namespace {

// clang-format off
EM_JS(void, pageMessageBox, (const char* text, const char* caption, int error), {
    const page = Module['brannocPage'];
    if (page && page.messageBox) page.messageBox(UTF8ToString(text), UTF8ToString(caption), error != 0);
});
// clang-format on

} // namespace

void showSdlMessageBox(const char* text, const char* caption, bool error) { pageMessageBox(text, caption, error); }

} // namespace platform
