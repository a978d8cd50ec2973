// The game's side of web_audio.js beside this file: the page's sound through Web Audio.
#pragma once

extern "C" {
int brannoc_audio_open();
int brannoc_audio_add(const float* samples, int frames, int channels, int rate);
void brannoc_audio_play(int id);
void brannoc_audio_forget(int id);
}

#include <memory>

namespace platform {

class SoundOutput;

// Every sound lasts its length on the page's clock, heard or not; where the page has no audio,
// said once, as on the desktop.
std::unique_ptr<SoundOutput> openWebSoundOutput();

} // namespace platform
