// The keyboard's three namings of a key: PC set-1 scan codes (0x80 and up for the E0 keys),
// SDL scancodes and virtual-key codes. 0 stands for no such key.
#pragma once

namespace platform::keys {

int sdlScancodeFor(int scanCode);
int scanCodeForSdl(int sdlScancode);
int virtualKeyFor(int scanCode);
int scanCodeForVirtualKey(int virtualKey);

} // namespace platform::keys
