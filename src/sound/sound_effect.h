// One sound of the game: a static buffer filled once from a WAVE resource.
#pragma once

#include <cstddef>

#include "platform/dsound.h"

// Whether the sound device came up; every sound operation asks this first.
extern bool soundAvailable;

class SoundEffect {
public:
    IDirectSoundBuffer* buffer = nullptr;

    bool load(IDirectSound* sound, int resourceId);
    void play();
    bool isPlaying();
    void release();
    // Releases without asking soundAvailable and keeps the pointer (unused by the game).
    void releaseUnchecked();
};

IDirectSoundBuffer* createSoundFromWave(IDirectSound* sound, int resourceId);
bool findWaveResource(HMODULE module, int resourceId, WAVEFORMATEX** format, const BYTE** data, DWORD* size);
// Walks the RIFF chunks of an image of imageSize bytes; never reads beyond it.
bool parseWave(const void* image, std::size_t imageSize, WAVEFORMATEX** format, const BYTE** data, DWORD* size);
bool fillSoundBuffer(IDirectSoundBuffer* buffer, const BYTE* data, DWORD size);
bool reloadSoundBuffer(IDirectSoundBuffer* buffer, int resourceId);
