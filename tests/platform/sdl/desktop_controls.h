// Scripting the desktop backend where SDL offers no call for it, for the game's tests: they keep
// to the platform's face and never touch SDL themselves.
#pragma once

namespace desktop {

// Holds a key down, or lets it go, by DirectInput scan code in the keyboard state SDL reports.
void setKeyDown(int scanCode, bool down);
// Names the video and audio drivers that SDL starts next, through SDL's own environment call (setenv
// is POSIX's, and Windows has none).
void chooseDrivers(const char* video, const char* audio);
// Closes the audio driver: the next sound device starts on the one SDL_AUDIODRIVER names.
void restartAudio();

} // namespace desktop
