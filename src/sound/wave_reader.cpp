// Finding the WAVE recordings among the program's resources and walking their RIFF chunks.
#include <cstring>

#include "platform/resources.h"
#include "sound/sound_effect.h"

namespace {

constexpr DWORD kRiff = 0x46464952; // "RIFF"
constexpr DWORD kWave = 0x45564157; // "WAVE"
constexpr DWORD kFmt = 0x20746D66;  // "fmt "
constexpr DWORD kData = 0x61746164; // "data"
constexpr DWORD kShortestFormat = 14;
// The sound service reads the whole PCM record, bits per sample included.
constexpr std::size_t kPcmRecord = 16;

// A little-endian word at any alignment.
DWORD wordAt(const BYTE* bytes, std::size_t offset) {
    DWORD word;
    std::memcpy(&word, bytes + offset, sizeof word);
    return word;
}

} // namespace

bool parseWave(const void* image, std::size_t imageSize, WAVEFORMATEX** format, const BYTE** data, DWORD* size) {
    if (format != nullptr) {
        *format = nullptr;
    }
    if (data != nullptr) {
        *data = nullptr;
    }
    if (size != nullptr) {
        *size = 0;
    }
    const auto* bytes = static_cast<const BYTE*>(image);
    if (bytes == nullptr || imageSize < 12 || wordAt(bytes, 0) != kRiff || wordAt(bytes, 8) != kWave) {
        return false;
    }
    // A RIFF length that claims more than there is ends the walk at the end of the image.
    const std::size_t riffEnd = std::size_t{8} + wordAt(bytes, 4);
    const std::size_t end = riffEnd < imageSize ? riffEnd : imageSize;
    std::size_t position = 12;
    while (position < end) {
        if (imageSize - position < 8) {
            return false;
        }
        const DWORD id = wordAt(bytes, position);
        const DWORD length = wordAt(bytes, position + 4);
        position += 8;
        // A chunk whose data would run off the image is not there.
        if (length > imageSize - position) {
            return false;
        }
        if (id == kFmt) {
            if (format != nullptr && *format == nullptr) {
                if (length < kShortestFormat) {
                    return false;
                }
                // A short record at the very end would have its last field read from past the image.
                if (imageSize - position < kPcmRecord) {
                    return false;
                }
                *format = reinterpret_cast<WAVEFORMATEX*>(const_cast<BYTE*>(bytes + position));
                if ((data == nullptr || *data != nullptr) && (size == nullptr || *size != 0)) {
                    return true;
                }
            }
        } else if (id == kData) {
            if ((data != nullptr && *data == nullptr) || (size != nullptr && *size == 0)) {
                if (data != nullptr) {
                    *data = bytes + position;
                }
                if (size != nullptr) {
                    *size = length;
                }
                if (format == nullptr || *format != nullptr) {
                    return true;
                }
            }
        }
        // Chunks are padded to an even length.
        position += (std::size_t{length} + 1) & ~std::size_t{1};
    }
    return false;
}

bool findWaveResource(HMODULE module, int resourceId, WAVEFORMATEX** format, const BYTE** data, DWORD* size) {
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "WAVE");
    if (resource == nullptr) {
        return false;
    }
    const HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr) {
        return false;
    }
    const void* image = LockResource(loaded);
    if (image == nullptr) {
        return false;
    }
    return parseWave(image, SizeofResource(module, resource), format, data, size);
}
