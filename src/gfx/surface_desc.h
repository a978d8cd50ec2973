// A zeroed surface description that states its own size, as the display service expects.
#pragma once

#include "platform/ddraw.h"

inline DDSURFACEDESC surfaceDesc(DWORD flags) {
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = flags;
    return desc;
}
