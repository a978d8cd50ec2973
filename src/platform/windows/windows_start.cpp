// Started from a shortcut, a command line or a double click, the game works in its own folder,
// wherever the zip was unpacked: as the Linux desktop's launcher does, it makes the .exe's folder
// the working folder, and opens bmps\ from there. Windows sends a windowed program no hang-up: the
// end of the session reaches the game as SDL's quit event.
#include <windows.h>

#include "platform/desktop/system_start.h"
#include "platform/windows/program_folder.h"
#include "platform/windows/wide_text.h"

namespace platform {

void startOnTheSystem() { SetCurrentDirectoryW(windows::wide(windows::programFolder()).c_str()); }

} // namespace platform
