// Regular files through Windows' own calls: wide paths (a folder may have any name), shared so
// that another program may write or delete the file meanwhile, as on the desktop.
#include <windows.h>

#include <algorithm>

#include "platform/files/regular_file.h"
#include "platform/windows/wide_text.h"

namespace platform::files {

namespace {

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// FILETIME counts 100 ns steps since 1601.
constexpr std::int64_t FileTimeAt1970 = 116'444'736'000'000'000;

bool stampOf(HANDLE file, FileStamp& stamp) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info) == 0) return false;
    const auto modified = static_cast<std::int64_t>((std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                                                    info.ftLastWriteTime.dwLowDateTime);
    stamp = FileStamp{info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow,
                      (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow, (modified - FileTimeAt1970) * 100};
    return true;
}

} // namespace

RegularFile::RegularFile(const std::string& path) {
    // A pipe or a device opens without waiting; what is not a file on a disk is refused.
    HANDLE file =
        CreateFileW(windows::wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    open_ = GetFileType(file) == FILE_TYPE_DISK && stampOf(file, stamp_);
}

RegularFile::~RegularFile() {
    if (handle_ != -1) CloseHandle(handleOf(handle_));
}

bool RegularFile::stampNow(FileStamp& now) const { return open_ && stampOf(handleOf(handle_), now); }

std::vector<unsigned char> RegularFile::read(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    std::size_t got = 0;
    while (open_ && got < size) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - got, 1u << 30));
        DWORD n = 0;
        if (ReadFile(handleOf(handle_), bytes.data() + got, want, &n, nullptr) == 0 || n == 0) break;
        got += n;
    }
    if (got < size) bytes.clear(); // cut short under us
    return bytes;
}

} // namespace platform::files
