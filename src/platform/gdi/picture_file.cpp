// Reading picture files: regular files only, and the decoded picture kept per file version.
#include "platform/gdi/picture_file.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <list>
#include <vector>

#include "platform/core/system.h"
#include "platform/files/regular_file.h"
#include "platform/gdi/bitmap_reader.h"

namespace platform::gdi {

namespace {

using files::FileStamp;

// File times are coarse: a file written within the last moments may be written again with the same
// stamp. Its picture is kept only once it has stood this long.
constexpr std::chrono::seconds SettleTime{2};

bool settled(const FileStamp& stamp) {
    using std::chrono::floor, std::chrono::seconds;
    const auto now = floor<seconds>(std::chrono::system_clock::now().time_since_epoch());
    return now - floor<seconds>(std::chrono::nanoseconds(stamp.modifiedNs)) > SettleTime;
}

struct KeptPicture {
    std::string path;
    FileStamp stamp;
    SDL_Surface* picture; // null: the file was refused
};

// Enough for the largest picture; the least recently read go first.
constexpr std::size_t KeptBytes = std::size_t{MaxBitmapPixels} * 4;

// Never destroyed: the game's static objects may still read pictures while the program ends.
std::list<KeptPicture>& kept() {
    static auto* pictures = new std::list<KeptPicture>;
    return *pictures;
}

std::size_t bytesOf(const SDL_Surface* picture) {
    return picture != nullptr ? static_cast<std::size_t>(picture->pitch) * static_cast<std::size_t>(picture->h) : 0;
}

void forget(const std::string& path) {
    for (auto it = kept().begin(); it != kept().end(); ++it) {
        if (it->path == path) {
            SDL_FreeSurface(it->picture);
            kept().erase(it);
            return;
        }
    }
}

// The entry for this version of the file, moved to the front, or null.
KeptPicture* find(const std::string& path, const FileStamp& stamp) {
    for (auto it = kept().begin(); it != kept().end(); ++it) {
        if (it->path == path && it->stamp == stamp) {
            kept().splice(kept().begin(), kept(), it);
            return &kept().front();
        }
    }
    return nullptr;
}

void keep(const std::string& path, const FileStamp& stamp, SDL_Surface* picture) {
    kept().push_front(KeptPicture{path, stamp, picture});
    std::size_t total = 0;
    for (auto it = kept().begin(); it != kept().end();) {
        total += bytesOf(it->picture);
        if (it != kept().begin() && total > KeptBytes) {
            SDL_FreeSurface(it->picture);
            it = kept().erase(it);
        } else {
            ++it;
        }
    }
}

// An exact copy: same format, palette and raw pixels.
SDL_Surface* copyOf(const SDL_Surface* picture) {
    if (picture == nullptr) {
        return nullptr;
    }
    const SDL_PixelFormat* format = picture->format;
    SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, picture->w, picture->h, format->BitsPerPixel, format->format);
    if (copy == nullptr) {
        return nullptr;
    }
    if (format->palette != nullptr) {
        SDL_Palette* palette = SDL_AllocPalette(format->palette->ncolors);
        if (palette == nullptr) {
            SDL_FreeSurface(copy);
            return nullptr;
        }
        SDL_SetPaletteColors(palette, format->palette->colors, 0, format->palette->ncolors);
        SDL_SetSurfacePalette(copy, palette);
        SDL_FreePalette(palette);
    }
    const auto rowBytes = static_cast<std::size_t>(std::min(picture->pitch, copy->pitch));
    for (int y = 0; y < picture->h; ++y) {
        std::memcpy(static_cast<Uint8*>(copy->pixels) + static_cast<std::ptrdiff_t>(y) * copy->pitch,
                    static_cast<const Uint8*>(picture->pixels) + static_cast<std::ptrdiff_t>(y) * picture->pitch,
                    rowBytes);
    }
    return copy;
}

// The picture of the regular file open as `file`.
SDL_Surface* readOpenFile(files::RegularFile& file, const std::string& path) {
    const FileStamp& stamp = file.stamp();
    if (const KeptPicture* known = find(path, stamp)) {
        return copyOf(known->picture);
    }
    forget(path);
    sys::trace("read " + path);
    const std::vector<unsigned char> bytes = file.read(static_cast<std::size_t>(stamp.size));
    SDL_Surface* picture = readBitmap(bytes.data(), bytes.size());
    FileStamp after;
    if (settled(stamp) && file.stampNow(after) && after == stamp) {
        keep(path, stamp, picture);
        return copyOf(picture);
    }
    return picture;
}

} // namespace

SDL_Surface* readPictureFile(const std::string& path) {
    files::RegularFile file(path);
    if (file.isOpen() && file.stamp().size > 0 && file.stamp().size <= MaxBitmapFileBytes) {
        return readOpenFile(file, path);
    }
    forget(path);
    return nullptr;
}

void forgetPictureFiles() {
    for (KeptPicture& entry : kept()) {
        SDL_FreeSurface(entry.picture);
    }
    kept().clear();
}

} // namespace platform::gdi
