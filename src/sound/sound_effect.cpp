// One sound of the game: loaded once, started, watched, released at exit.
#include "sound/sound_effect.h"

bool soundAvailable = false;

bool SoundEffect::load(IDirectSound* sound, int resourceId) {
    if (!soundAvailable) {
        return false;
    }
    buffer = createSoundFromWave(sound, resourceId);
    return buffer != nullptr;
}

void SoundEffect::play() {
    // Once, from the start; a request while it still sounds leaves it where it is.
    if (soundAvailable && buffer != nullptr) {
        buffer->Play(0, 0, 0);
    }
}

bool SoundEffect::isPlaying() {
    if (!soundAvailable || buffer == nullptr) {
        return false;
    }
    DWORD status = 0;
    if (FAILED(buffer->GetStatus(&status))) {
        return false;
    }
    return (status & DSBSTATUS_PLAYING) != 0;
}

void SoundEffect::release() {
    if (soundAvailable && buffer != nullptr) {
        buffer->Release();
    }
}

void SoundEffect::releaseUnchecked() {
    if (buffer != nullptr) {
        buffer->Release();
    }
}
