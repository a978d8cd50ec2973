#include "platform/window/icon.h"

#include <SDL.h>

#include <utility>
#include <vector>

#include "platform/resources.h"
#include "platform/window.h"

HICON LoadIconA(HINSTANCE instance, const char* name) {
    HRSRC resource = FindResourceA(instance, name, "ICON");
    if (resource == nullptr) return nullptr;
    // One icon object per resource, as the system shares loaded icons.
    static auto* loaded = new std::vector<std::pair<HRSRC, HICON>>;
    for (auto& [from, icon] : *loaded)
        if (from == resource) return icon;
    const void* image = LockResource(LoadResource(instance, resource));
    DWORD size = SizeofResource(instance, resource);
    if (image == nullptr || size == 0) return nullptr;
    SDL_RWops* stream = SDL_RWFromConstMem(image, static_cast<int>(size));
    SDL_Surface* picture = stream != nullptr ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (picture == nullptr) return nullptr;
    loaded->emplace_back(resource, new IconObject{picture});
    return loaded->back().second;
}
