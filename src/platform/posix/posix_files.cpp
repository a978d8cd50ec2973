// Regular files through POSIX: the desktop's and the page's.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/regular_file.h"

namespace platform::files {

namespace {

FileStamp stampOf(const struct stat& info) {
    return FileStamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                     static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

} // namespace

RegularFile::RegularFile(const std::string& path) {
    // Without blocking: a FIFO with no writer would hold the open for ever.
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) return;
    handle_ = file;
    struct stat info {};
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode)) {
        stamp_ = stampOf(info);
        open_ = true;
    }
}

RegularFile::~RegularFile() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool RegularFile::stampNow(FileStamp& now) const {
    struct stat info {};
    if (!open_ || ::fstat(static_cast<int>(handle_), &info) != 0) return false;
    now = stampOf(info);
    return true;
}

std::vector<unsigned char> RegularFile::read(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    std::size_t got = 0;
    while (open_ && got < size) {
        const ssize_t n = ::read(static_cast<int>(handle_), bytes.data() + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got < size) bytes.clear(); // cut short under us
    return bytes;
}

} // namespace platform::files
