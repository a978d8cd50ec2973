// The .exe's folder, asked of Windows once.
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
    static const std::string folder = utf8(exeFolder());
    return folder;
}

} // namespace platform::windows
