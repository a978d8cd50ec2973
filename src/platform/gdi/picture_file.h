// Picture files as LoadImageA reads them. Internal to the platform.
#pragma once

#include <SDL.h>

#include <string>

namespace platform::gdi {

// The picture in the file, or null when the file is missing, is not a regular file (a FIFO or a
// device could block the game for ever) or holds no acceptable picture. The caller frees it.
// A sprite repairs itself from its file after every failed draw, so the decoded picture is kept
// while the file stays the same, and reading it again costs no reading or decoding.
SDL_Surface* readPictureFile(const std::string& path);

// Forgets every kept picture.
void forgetPictureFiles();

} // namespace platform::gdi
