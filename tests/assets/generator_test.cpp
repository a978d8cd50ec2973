// The generator gives the same bytes on every run, into any directory it is told.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "asset_files.h"

namespace fs = std::filesystem;
using namespace assets_test;

namespace {

fs::path runInto(const std::string& name) {
    static const unsigned run = std::random_device{}(); // builds may test side by side
    const fs::path dir = fs::temp_directory_path() / ("brannoc_assets_" + std::to_string(run) + "_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string command = std::string("\"") + BRANNOC_ASSETGEN + "\" \"" + dir.string() + "\"";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return dir;
}

} // namespace

TEST(Generator, TwoRunsGiveIdenticalBytes) {
    const fs::path a = runInto("a"), b = runInto("b");
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(a)) {
        if (!entry.is_regular_file()) continue;
        const fs::path rel = fs::relative(entry.path(), a);
        SCOPED_TRACE(rel.string());
        const Bytes first = readFile(entry.path().string());
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, readFile((b / rel).string()));
        // The build's own copy came from the same generator.
        EXPECT_EQ(first, readFile(buildPath(rel.string())));
        ++files;
    }
    // pictures, recordings, icon, table, contact sheet, desktop icons, web icons
    EXPECT_EQ(files, 8 + 10 + 1 + 1 + 1 + 6 + 3);
    fs::remove_all(a);
    fs::remove_all(b);
}
