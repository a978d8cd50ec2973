// Only this test file sees <windows.h>.
#include <windows.h>

#include <string>

#include "special_files.h"

SpecialFiles::SpecialFiles(const std::string&) {
    const std::wstring pipe = L"\\\\.\\pipe\\brannoc-test-" + std::to_wstring(GetCurrentProcessId());
    HANDLE server =
        CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 4, 0, 0, 0, nullptr);
    if (server != INVALID_HANDLE_VALUE) {
        handles_.push_back(reinterpret_cast<std::intptr_t>(server));
        paths.push_back("\\\\.\\pipe\\brannoc-test-" + std::to_string(GetCurrentProcessId()));
    }
    paths.push_back("NUL");
}

SpecialFiles::~SpecialFiles() { release(); }

void SpecialFiles::release() {
    // The pipe closed under a waiting read ends it.
    for (std::intptr_t handle : handles_) CloseHandle(reinterpret_cast<HANDLE>(handle));
    handles_.clear();
}
