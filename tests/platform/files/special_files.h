// Files that are not regular files, which the platform's readers must refuse without waiting on
// them: on POSIX a FIFO that no one writes to, whose open would block; on Windows a named pipe
// waiting for its client, whose read would block, and the null device. They go with the object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SpecialFiles {
public:
    explicit SpecialFiles(const std::string& folder);
    ~SpecialFiles();
    SpecialFiles(const SpecialFiles&) = delete;
    SpecialFiles& operator=(const SpecialFiles&) = delete;

    // Lets a reader that waits on one of them go.
    void release();

    std::vector<std::string> paths; // UTF-8
private:
    std::vector<std::intptr_t> handles_;
};
