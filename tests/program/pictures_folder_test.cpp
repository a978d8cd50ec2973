// Started where there is no bmps/ folder, the game says so once, naming the folder it looked in;
// started beside one, it says nothing about it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "program_run.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Standard error of a whole run from folder, closed after a few frames.
std::string errorOutputOfRunIn(const fs::path& folder) {
    const fs::path home = fs::current_path();
    fs::current_path(folder);
    platform::headless::reset();
    testing::internal::CaptureStderr();
    runProgram([](int frame) {
        if (frame == 3) PostMessageA(app.window, WM_CLOSE, 0, 0);
    });
    std::string output = testing::internal::GetCapturedStderr();
    fs::current_path(home);
    return output;
}

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(PicturesFolderTest, AMissingFolderIsReportedOnceWithItsPath) {
    TempDir empty;
    const std::string output = errorOutputOfRunIn(empty.path);
    const std::string folder = (fs::canonical(empty.path) / "bmps").string();
    EXPECT_EQ(occurrences(output, folder), 1) << output;
    EXPECT_EQ(occurrences(output, "brannoc:"), 1) << output;
}

TEST(PicturesFolderTest, ThePicturesBesideTheGameRaiseNoWord) {
    const std::string output = errorOutputOfRunIn(BRANNOC_BUILD_DIR);
    EXPECT_EQ(occurrences(output, "bmps"), 0) << output;
}

} // namespace
