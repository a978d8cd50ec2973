// GDI handles of every kind travel through SelectObject and DeleteObject as plain objects.
#pragma once

#include "platform/gdi.h"

template <typename Handle>
inline HGDIOBJ gdiObject(Handle handle) {
    return reinterpret_cast<HGDIOBJ>(handle);
}
