// A temporary directory, removed with everything in it when done. Paths are UTF-8, as the
// platform takes them; utf8Path gives the standard library's path for one (on Windows a plain
// string would be read in the ANSI code page, which has not every letter).
#pragma once

#include <filesystem>
#include <random>
#include <string>

inline std::filesystem::path utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

class TempDir {
public:
    // A short name by default; a prefix gives it another (a folder a player might name).
    explicit TempDir(const std::string& prefix = "btest-") {
        // A new name until one is free: create_directory says whether this call made it.
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (;;) {
            const std::filesystem::path candidate = base / utf8Path(prefix + std::to_string(random() % 1'000'000));
            if (std::filesystem::create_directory(candidate)) {
                path = utf8Text(candidate);
                return;
            }
        }
    }
    ~TempDir() { std::filesystem::remove_all(utf8Path(path)); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }

    std::string path;
};
