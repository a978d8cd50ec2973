// Every replay in this folder, played through the whole program, against its golden record: each
// presented frame, each sound started and the exit code. With BRANNOC_REGENERATE_GOLDENS=1 the
// goldens are written anew instead (scripts/regenerate-goldens.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bmp_image.h"
#include "replay.h"

namespace {

namespace fs = std::filesystem;

const fs::path kReplayDir = BRANNOC_REPLAY_DIR;

std::vector<std::string> replayNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kReplayDir)) {
        if (entry.path().extension() == ".replay") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool regenerating() {
    const char* flag = std::getenv("BRANNOC_REGENERATE_GOLDENS");
    return flag != nullptr && std::string(flag) == "1";
}

// The frame as a picture beside the build's other outputs; the path, or empty.
std::string writeMismatch(const std::string& name, const FrameMismatch& mismatch) {
    const fs::path dir = fs::path(BRANNOC_BUILD_DIR) / "replay-failures";
    fs::create_directories(dir);
    const fs::path path = dir / (name + "-frame" + std::to_string(mismatch.frame) + ".bmp");
    const bool written = writeBmp(path.string(), mismatch.width, mismatch.height, [&](int x, int y) {
        const std::uint32_t p = mismatch.pixels[static_cast<std::size_t>(y * mismatch.width + x)];
        return static_cast<COLORREF>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
    });
    return written ? path.string() : std::string();
}

class ReplayTest : public testing::TestWithParam<std::string> {};

TEST_P(ReplayTest, ShowsAndPlaysWhatItsGoldenRecords) {
    const std::string name = GetParam();
    std::string error;
    const auto replay = parseReplay(readText(kReplayDir / (name + ".replay")), error);
    ASSERT_TRUE(replay) << name << ".replay: " << error;
    const fs::path goldenPath = kReplayDir / (name + ".golden");

    if (regenerating()) {
        std::ofstream(goldenPath) << formatGolden(playReplay(*replay), name + ".replay");
        GTEST_SKIP() << "golden written: " << goldenPath;
    }
    const auto golden = parseGolden(readText(goldenPath), error);
    ASSERT_TRUE(golden) << name << ".golden: " << error;

    FrameMismatch mismatch;
    const ReplayRecord record = playReplay(*replay, &*golden, &mismatch);
    if (mismatch.frame != 0) {
        ADD_FAILURE() << "frame " << mismatch.frame << " of " << record.frameHashes.size()
                      << " differs from the golden one; it is shown in " << writeMismatch(name, mismatch);
    }
    EXPECT_EQ(record.frameHashes.size(), golden->frameHashes.size()) << "frames presented";
    EXPECT_EQ(record.exitCode, golden->exitCode);
    const auto sounds =
        std::mismatch(record.sounds.begin(), record.sounds.end(), golden->sounds.begin(), golden->sounds.end());
    if (sounds.first != record.sounds.end() || sounds.second != golden->sounds.end()) {
        ADD_FAILURE() << "sound " << (sounds.first - record.sounds.begin()) + 1 << " differs: "
                      << (sounds.first != record.sounds.end() ? "WAVE " + std::to_string(sounds.first->second) +
                                                                    " at frame " + std::to_string(sounds.first->first)
                                                              : std::string("none"))
                      << " where the golden has "
                      << (sounds.second != golden->sounds.end()
                              ? "WAVE " + std::to_string(sounds.second->second) + " at frame " +
                                    std::to_string(sounds.second->first)
                              : std::string("none"));
    }
}

INSTANTIATE_TEST_SUITE_P(Replays, ReplayTest, testing::ValuesIn(replayNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
