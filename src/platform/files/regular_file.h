// Regular files as the platform's readers take them (pictures, fonts): read whole, and told apart
// from their next version without reading them. posix/posix_files.cpp and windows/windows_files.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::files {

// What tells one version of a file from another: where it lies, its size and its last change.
struct FileStamp {
    std::uint64_t volume = 0;
    std::uint64_t id = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0; // since 1970, UTC

    bool operator==(const FileStamp&) const = default;
};

// A file open for reading, or nothing: opening never blocks (a FIFO with no writer would hold the
// game for ever) and refuses what is not a regular file. Paths are UTF-8.
class RegularFile {
public:
    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return open_; }
    // As it was when opened.
    const FileStamp& stamp() const { return stamp_; }
    // As it is now; false when that cannot be told.
    bool stampNow(FileStamp& now) const;
    // The next size bytes; empty when the file is cut short under us.
    std::vector<unsigned char> read(std::size_t size);

private:
    std::intptr_t handle_ = -1;
    bool open_ = false;
    FileStamp stamp_;
};

} // namespace platform::files
