// A short-named temporary directory, removed with everything in it when done.
#pragma once

#include <filesystem>
#include <random>
#include <string>

class TempDir {
public:
    TempDir() {
        // A new name until one is free: create_directory says whether this call made it.
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (;;) {
            const std::filesystem::path candidate = base / ("btest-" + std::to_string(random() % 1'000'000));
            if (std::filesystem::create_directory(candidate)) {
                path = candidate.generic_string();
                return;
            }
        }
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }

    std::string path;
};
