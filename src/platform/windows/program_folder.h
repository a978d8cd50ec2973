// The folder that holds the program's .exe, where its pictures and fonts lie, whatever the working
// folder: fonts may be made before the entry point.
#pragma once

#include <string>

namespace platform::windows {

// UTF-8, ending in a backslash.
const std::string& programFolder();

} // namespace platform::windows
