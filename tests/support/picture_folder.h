// A working directory of its own holding copies of the build's pictures, dated an hour back so
// that they count as long settled; the old working directory comes back on destruction.
#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "platform/headless.h"
#include "temp_dir.h"

class PictureFolder {
public:
    PictureFolder() : home_(std::filesystem::current_path()) {
        std::filesystem::copy(home_ / "bmps", utf8Path(dir_.file("bmps")));
        for (const auto& entry : std::filesystem::directory_iterator(utf8Path(dir_.file("bmps")))) {
            settle(utf8Text(entry.path()));
        }
        std::filesystem::current_path(utf8Path(dir_.path));
    }
    ~PictureFolder() { std::filesystem::current_path(home_); }
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    // Where the game finds a picture of that name.
    std::string picture(const std::string& name) const { return dir_.file("bmps/" + name); }

    // Dates the file back, as if it had been there long before the game started.
    static void settle(const std::string& path, int secondsAgo = 3600) {
        std::error_code ignored;
        std::filesystem::last_write_time(
            utf8Path(path), std::filesystem::file_time_type::clock::now() - std::chrono::seconds(secondsAgo), ignored);
    }

private:
    std::filesystem::path home_;
    TempDir dir_;
};

// How often the platform has read the file at that path (as the game names it, with '/') since
// the trace was last cleared.
inline int pictureReads(const std::string& path) {
    const auto& trace = platform::headless::trace();
    return static_cast<int>(std::count(trace.begin(), trace.end(), "read " + path));
}
