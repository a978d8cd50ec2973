// Message boxes: reported on standard error, and shown where the backend can show one.
#include <cstdio>

#include "platform/core/backend.h"
#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/window.h"

using namespace platform;

int MessageBoxA(HWND, const char* text, const char* caption, UINT type) {
    sys::trace("MessageBoxA");
    const char* body = text != nullptr ? text : "";
    // Without a caption of its own, a box is titled as the system titles it.
    const char* title = (caption != nullptr && caption[0] != '\0') ? caption : "Error";
    std::fprintf(stderr, "%s: %s\n", title, body);
    std::fflush(stderr);
    if (platformState().recording)
        platformState().messageBoxes.push_back(MessageBoxRecord{body, caption != nullptr ? caption : "", type});
    backend().showMessageBox(body, title, type);
    return IDOK;
}
