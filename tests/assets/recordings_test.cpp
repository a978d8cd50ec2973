// The recordings and the icon: exact formats, lengths and chunk order, and clean levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "asset_files.h"
#include "platform/resources/resource_table.h"

using namespace assets_test;

namespace {

struct Expected {
    int id, rate, dataBytes;
    bool list;
};

constexpr Expected kExpected[] = {
    {121, 11025, 3445, true},   {122, 11025, 2912, false}, {123, 11025, 10566, true}, {124, 11025, 2035, false},
    {125, 11025, 522, false},   {126, 44100, 44567, true}, {128, 44100, 25281, true}, {129, 44100, 29954, true},
    {130, 44100, 45834, false}, {131, 22050, 8465, true},
};

std::string wavPath(int id) { return "resources/" + std::to_string(id) + ".wav"; }

bool isId(const Bytes& b, std::size_t at, const char* id) { return std::memcmp(&b[at], id, 4) == 0; }

} // namespace

TEST(Recordings, ChunksFormatRateAndLength) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.id);
        const Bytes b = readFile(buildPath(wavPath(e.id)));
        ASSERT_GE(b.size(), 44u + e.dataBytes);
        EXPECT_TRUE(isId(b, 0, "RIFF"));
        EXPECT_EQ(le32(b, 4), b.size() - 8);
        EXPECT_TRUE(isId(b, 8, "WAVE"));
        ASSERT_TRUE(isId(b, 12, "fmt "));
        EXPECT_EQ(le32(b, 16), 16u);
        EXPECT_EQ(le16(b, 20), 1u); // PCM
        EXPECT_EQ(le16(b, 22), 1u); // mono
        EXPECT_EQ(le32(b, 24), static_cast<std::uint32_t>(e.rate));
        EXPECT_EQ(le32(b, 28), static_cast<std::uint32_t>(e.rate));
        EXPECT_EQ(le16(b, 32), 1u);
        EXPECT_EQ(le16(b, 34), 8u);
        ASSERT_TRUE(isId(b, 36, "data"));
        EXPECT_EQ(le32(b, 40), static_cast<std::uint32_t>(e.dataBytes));
        const std::size_t after = 44 + e.dataBytes + (e.dataBytes % 2);
        if (e.list) {
            ASSERT_GE(b.size(), after + 12);
            EXPECT_TRUE(isId(b, after, "LIST"));
            EXPECT_TRUE(isId(b, after + 8, "INFO"));
            EXPECT_EQ(after + 8 + le32(b, after + 4), b.size());
        } else {
            EXPECT_EQ(after, b.size());
        }
    }
    EXPECT_FALSE(std::filesystem::exists(buildPath(wavPath(127))));
}

TEST(Recordings, StartAndEndSilentPeakNearFullScaleWithoutClipping) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.id);
        const Bytes b = readFile(buildPath(wavPath(e.id)));
        ASSERT_GE(b.size(), 44u + e.dataBytes);
        const auto first = b.begin() + 44, last = first + e.dataBytes;
        EXPECT_NEAR(*first, 128, 2);
        EXPECT_NEAR(*(last - 1), 128, 2);
        const auto [lo, hi] = std::minmax_element(first, last);
        EXPECT_GT(*lo, 0);
        EXPECT_LT(*hi, 255);
        EXPECT_GE(std::max(128 - *lo, *hi - 128), 100);
        // No click: the first and last few milliseconds stay close to the centre line.
        const int edge = e.rate / 1000;
        for (int i = 0; i < edge; ++i) {
            EXPECT_NEAR(first[i], 128, 24) << i;
            EXPECT_NEAR(*(last - 1 - i), 128, 24) << i;
        }
    }
}

TEST(Recordings, IconIsA256ColourBitmap) {
    const Bytes b = readFile(buildPath("resources/133.bmp"));
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 18), 32u);
    EXPECT_EQ(le32(b, 22), 32u);
    EXPECT_EQ(le16(b, 28), 8u);
    EXPECT_EQ(le32(b, 30), 0u);
    EXPECT_EQ(le32(b, 46), 256u);
    EXPECT_EQ(le32(b, 10), 54u + 256 * 4);
    EXPECT_EQ(b.size(), 54u + 256 * 4 + 32 * 32);
}

TEST(Recordings, CompiledTableHoldsExactlyTheGeneratedFiles) {
    ASSERT_EQ(platform::kResourceCount, 11u);
    std::size_t i = 0;
    for (const Expected& e : kExpected) {
        const platform::ResourceEntry& r = platform::kResourceTable[i++];
        EXPECT_STREQ(r.type, "WAVE");
        EXPECT_EQ(r.id, e.id);
        EXPECT_EQ(Bytes(r.data, r.data + r.size), readFile(buildPath(wavPath(e.id))));
    }
    const platform::ResourceEntry& icon = platform::kResourceTable[i];
    EXPECT_STREQ(icon.type, "ICON");
    EXPECT_EQ(icon.id, 133);
    EXPECT_EQ(Bytes(icon.data, icon.data + icon.size), readFile(buildPath("resources/133.bmp")));
}
