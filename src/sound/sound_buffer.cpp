// Static sound buffers made from the WAVE recordings and filled with their samples.
#include <cstring>

#include "sound/sound_effect.h"

IDirectSoundBuffer* createSoundFromWave(IDirectSound* sound, int resourceId) {
    if (sound == nullptr) {
        return nullptr;
    }
    DSBUFFERDESC desc = {};
    const BYTE* data = nullptr;
    if (!findWaveResource(nullptr, resourceId, &desc.lpwfxFormat, &data, &desc.dwBufferBytes)) {
        return nullptr;
    }
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_GETCURRENTPOSITION2;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(sound->CreateSoundBuffer(&desc, &buffer, nullptr))) {
        return nullptr;
    }
    if (!fillSoundBuffer(buffer, data, desc.dwBufferBytes)) {
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

bool fillSoundBuffer(IDirectSoundBuffer* buffer, const BYTE* data, DWORD size) {
    if (buffer == nullptr || data == nullptr || size == 0) {
        return false;
    }
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    if (FAILED(buffer->Lock(0, size, &first, &firstLength, &second, &secondLength, 0))) {
        return false;
    }
    std::memcpy(first, data, firstLength);
    if (secondLength != 0) {
        std::memcpy(second, data + firstLength, secondLength);
    }
    buffer->Unlock(first, firstLength, second, secondLength);
    return true;
}

bool reloadSoundBuffer(IDirectSoundBuffer* buffer, int resourceId) {
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (buffer == nullptr || !findWaveResource(nullptr, resourceId, nullptr, &data, &size)) {
        return false;
    }
    return SUCCEEDED(buffer->Restore()) && fillSoundBuffer(buffer, data, size);
}
