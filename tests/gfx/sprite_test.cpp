// Sprites: the colour key at 16 and 32 bits, all-or-nothing blits, and the repair from the file.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "bmp_image.h"
#include "gfx/sprite.h"
#include "temp_dir.h"
#include "test_display.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = 0;

class SpriteTest : public testing::TestWithParam<int> {
protected:
    SpriteTest() : screen(GetParam()) {}
    ~SpriteTest() override { sprite.release(); }

    std::string solid(const char* name, int width, int height, COLORREF colour) {
        const std::string path = files.file(name);
        EXPECT_TRUE(writeBmp(path, width, height, [colour](int, int) { return colour; }));
        return path;
    }

    TestDisplay screen;
    TempDir files;
    Sprite sprite;
};

TEST_P(SpriteTest, AMissingFileDrawsNothingAndNeverRestores) {
    EXPECT_FALSE(sprite.load("bmps/no-such-picture.bmp", &screen.display));
    EXPECT_EQ(sprite.surface, nullptr);
    sprite.setColorKey(kGreen);
    EXPECT_FALSE(sprite.keyed);
    sprite.blitWhole(5, 5);
    EXPECT_EQ(screen.pixel(5, 5), kBlack);
    EXPECT_EQ(platform::headless::debugOutput(), "");
}

TEST_P(SpriteTest, NamesOfFiftyCharactersAreRefused) {
    const std::string fits = files.file(std::string(49 - files.path.size() - 5, 'a') + ".bmp");
    ASSERT_EQ(fits.size(), 49u);
    ASSERT_TRUE(writeBmp(fits, 2, 2, [](int, int) { return kRed; }));
    EXPECT_TRUE(sprite.load(fits.c_str(), &screen.display));
    EXPECT_STREQ(sprite.fileName, fits.c_str());

    Sprite tooLong;
    EXPECT_FALSE(tooLong.load((fits + "x").c_str(), &screen.display));
    EXPECT_EQ(tooLong.surface, nullptr);
    EXPECT_STREQ(tooLong.fileName, "");
}

TEST_P(SpriteTest, BlitWholeDrawsTheFilesSizeNotTheSurfaces) {
    ASSERT_TRUE(sprite.load(solid("block.bmp", 41, 68, kRed).c_str(), &screen.display));
    sprite.blitWhole(100, 200);
    EXPECT_EQ(screen.pixel(100, 200), kRed);
    EXPECT_EQ(screen.pixel(140, 267), kRed);
    EXPECT_EQ(screen.pixel(141, 267), kBlack);
    EXPECT_EQ(screen.pixel(140, 268), kBlack);
    // A size read from the file that is smaller than the surface: only that much is drawn.
    screen.clear();
    sprite.width = 20;
    sprite.height = 30;
    sprite.blitWhole(100, 200);
    EXPECT_EQ(screen.pixel(119, 229), kRed);
    EXPECT_EQ(screen.pixel(120, 229), kBlack);
    EXPECT_EQ(screen.pixel(119, 230), kBlack);
}

TEST_P(SpriteTest, TheKeyHidesExactlyTheGreenPixels) {
    // Neighbours of green that stay distinct from it at 16 bits too.
    const COLORREF near[] = {RGB(0, 248, 0), RGB(8, 255, 0), RGB(0, 255, 8), kRed};
    const std::string path = files.file("keyed.bmp");
    writeBmp(path, 8, 2, [&](int x, int y) { return y == 1 ? kBlue : x % 2 == 0 ? kGreen : near[x / 2]; });
    ASSERT_TRUE(sprite.load(path.c_str(), &screen.display));
    sprite.setColorKey(kGreen);
    EXPECT_EQ(matchSurfaceColor(sprite.surface, kGreen), GetParam() == 16 ? 0x07E0u : 0x00FF00u);
    sprite.blitWhole(10, 10);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(screen.pixel(10 + x, 10) == kBlack, x % 2 == 0) << x;
        EXPECT_EQ(screen.pixel(10 + x, 11), kBlue);
    }
}

TEST_P(SpriteTest, SettingTheKeyLeavesTheFirstPixelAlone) {
    ASSERT_TRUE(sprite.load(solid("one.bmp", 1, 1, kBlue).c_str(), &screen.display));
    const DWORD before = matchSurfaceColor(sprite.surface, CLR_INVALID);
    sprite.setColorKey(kGreen);
    EXPECT_EQ(matchSurfaceColor(sprite.surface, CLR_INVALID), before);
    sprite.blitWhole(0, 0);
    EXPECT_EQ(screen.pixel(0, 0), kBlue);

    // The key is the first pixel as stored, all of it: every one of 32 bits at 32 bits.
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(sprite.surface->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    const std::uint32_t raw = 0xAB12FF34u;
    std::memcpy(desc.lpSurface, &raw, static_cast<std::size_t>(GetParam() / 8));
    sprite.surface->Unlock(nullptr);
    EXPECT_EQ(matchSurfaceColor(sprite.surface, CLR_INVALID), GetParam() == 32 ? raw : raw & 0xFFFFu);
}

TEST_P(SpriteTest, ABusyBlitterRefusesTheKeyedCopyAtOnceWhileThePlainOneWaits) {
    const std::string path = files.file("busy.bmp");
    const auto paint = [&path](COLORREF colour) {
        ASSERT_TRUE(writeBmp(path, 4, 4, [colour](int x, int) { return x < 2 ? kGreen : colour; }));
    };
    paint(kRed);
    ASSERT_TRUE(sprite.load(path.c_str(), &screen.display));
    platform::headless::busyBlitter(1);
    sprite.blitWhole(0, 0);
    EXPECT_EQ(screen.pixel(0, 0), kGreen) << "the plain copy waits";
    platform::headless::busyBlitter(3); // matching the key waits it out
    sprite.setColorKey(kGreen);
    paint(kBlue);
    platform::headless::busyBlitter(1);
    sprite.blitWhole(10, 0);
    EXPECT_EQ(screen.pixel(12, 0), kBlack) << "the keyed copy is refused at once";
    sprite.blitWhole(10, 0);
    EXPECT_EQ(screen.pixel(10, 0), kBlack);
    EXPECT_EQ(screen.pixel(12, 0), kBlue) << "read again from its file after the refusal";
}

TEST_P(SpriteTest, ABlitLeavingTheScreenDrawsNothingAndReadsTheFileAgain) {
    const std::string path = solid("swap.bmp", 20, 20, kRed);
    ASSERT_TRUE(sprite.load(path.c_str(), &screen.display));
    solid("swap.bmp", 20, 20, kBlue);
    sprite.blitWhole(790, 590);
    sprite.blit(0, 0, 20, 20, -1, 0);
    EXPECT_EQ(screen.pixel(799, 599), kBlack);
    EXPECT_EQ(screen.pixel(0, 0), kBlack);
    sprite.blitWhole(0, 0);
    EXPECT_EQ(screen.pixel(0, 0), kBlue) << "the picture was read again";

    std::remove(path.c_str());
    sprite.blitWhole(799, 0);
    EXPECT_EQ(platform::headless::debugOutput(), "handle is null\n");
}

TEST_P(SpriteTest, ALostSurfaceIsSkippedOnceThenDrawnAgainWithItsKey) {
    const std::string path = files.file("lost.bmp");
    ASSERT_TRUE(writeBmp(path, 6, 6, [](int x, int) { return x < 3 ? kGreen : kRed; }));
    ASSERT_TRUE(sprite.load(path.c_str(), &screen.display));
    sprite.setColorKey(kGreen);
    platform::headless::setActive(false);
    platform::headless::setActive(true);
    screen.display.primary->Restore();
    screen.clear();
    sprite.blitWhole(50, 50);
    EXPECT_EQ(screen.pixel(53, 50), kBlack);
    sprite.blitWhole(50, 50);
    EXPECT_EQ(screen.pixel(50, 50), kBlack);
    EXPECT_EQ(screen.pixel(53, 55), kRed);
}

INSTANTIATE_TEST_SUITE_P(Depths, SpriteTest, testing::Values(16, 32),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

} // namespace
