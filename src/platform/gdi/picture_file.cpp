// Reading picture files: regular files only, and the decoded picture kept per file version.
#include "platform/gdi/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <list>
#include <vector>

#include "platform/core/system.h"
#include "platform/gdi/bitmap_reader.h"

namespace platform::gdi {

namespace {

// What tells one version of a file from another without reading it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

FileStamp stampOf(const struct stat& info) { return FileStamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim}; }

// File times are coarse: a file written within the last moments may be written again with the same
// stamp. Its picture is kept only once it has stood this long.
constexpr std::time_t SettleSeconds = 2;

bool settled(const FileStamp& stamp) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec - stamp.modified.tv_sec > SettleSeconds;
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

std::vector<unsigned char> readAll(int file, std::size_t size) {
    std::vector<unsigned char> bytes(size);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(file, bytes.data() + got, size - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            bytes.clear(); // cut short under us
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return bytes;
}

// The picture of a regular file open at `file`.
SDL_Surface* readOpenFile(int file, const std::string& path, const struct stat& info) {
    const FileStamp stamp = stampOf(info);
    if (const KeptPicture* known = find(path, stamp)) {
        return copyOf(known->picture);
    }
    forget(path);
    sys::trace("read " + path);
    const std::vector<unsigned char> bytes = readAll(file, static_cast<std::size_t>(info.st_size));
    SDL_Surface* picture = readBitmap(bytes.data(), bytes.size());
    struct stat after {};
    if (settled(stamp) && ::fstat(file, &after) == 0 && stampOf(after) == stamp) {
        keep(path, stamp, picture);
        return copyOf(picture);
    }
    return picture;
}

} // namespace

SDL_Surface* readPictureFile(const std::string& path) {
    // Without blocking: a FIFO with no writer would hold the open for ever.
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        forget(path);
        return nullptr;
    }
    struct stat info {};
    SDL_Surface* picture = nullptr;
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<std::size_t>(info.st_size) <= MaxBitmapFileBytes) {
        picture = readOpenFile(file, path, info);
    } else {
        forget(path);
    }
    ::close(file);
    return picture;
}

void forgetPictureFiles() {
    for (KeptPicture& entry : kept()) {
        SDL_FreeSurface(entry.picture);
    }
    kept().clear();
}

} // namespace platform::gdi
