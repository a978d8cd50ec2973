// Started from a shortcut, a command line or a double click on a file beside it, the game works in
// its own folder, wherever the zip was unpacked: as the desktop's launcher does, the program makes
// its .exe's folder the working folder as it starts, and opens bmps\ and fonts\ from there.
#include "platform/windows/program_folder.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace platform::windows {

namespace {

std::wstring exeFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L".\\";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

} // namespace

const std::string& programFolder() {
    // Asked for first by whichever comes first: a font made before the entry point, or the start.
    static const std::string folder = [] {
        const std::wstring wide = exeFolder();
        SetCurrentDirectoryW(wide.c_str());
        return utf8(wide);
    }();
    return folder;
}

namespace {
[[maybe_unused]] const bool startedInProgramFolder = !programFolder().empty();
} // namespace

} // namespace platform::windows
