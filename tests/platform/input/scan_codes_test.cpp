#include <gtest/gtest.h>

#include "platform/dinput.h"
#include "platform/input/scan_codes.h"
#include "platform/window.h"

namespace {

using namespace platform;

TEST(ScanCodes, EveryKeyMapsToOneDesktopKeyAndBack) {
    int mapped = 0;
    for (int code = 0; code < 256; ++code) {
        int sdl = keys::sdlScancodeFor(code);
        if (sdl == 0) continue;
        ++mapped;
        EXPECT_EQ(keys::scanCodeForSdl(sdl), code) << "two scan codes share desktop key " << sdl;
        EXPECT_NE(keys::virtualKeyFor(code), 0) << code;
    }
    EXPECT_GT(mapped, 100);
    EXPECT_EQ(keys::sdlScancodeFor(-1), 0);
    EXPECT_EQ(keys::sdlScancodeFor(256), 0);
}

TEST(ScanCodes, TheGamesKeysReachTheirDesktopKeys) {
    // The desktop numbers keys by their USB usage: Escape 41, Enter 40, Space 44, Up 82, Down 81.
    EXPECT_EQ(keys::sdlScancodeFor(DIK_ESCAPE), 41);
    EXPECT_EQ(keys::sdlScancodeFor(DIK_RETURN), 40);
    EXPECT_EQ(keys::sdlScancodeFor(DIK_SPACE), 44);
    EXPECT_EQ(keys::sdlScancodeFor(DIK_UP), 82);
    EXPECT_EQ(keys::sdlScancodeFor(DIK_DOWN), 81);
    EXPECT_EQ(keys::sdlScancodeFor(DIK_A), 4);
    EXPECT_EQ(keys::sdlScancodeFor(DIK_1), 30);
    EXPECT_EQ(keys::virtualKeyFor(DIK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(keys::scanCodeForVirtualKey(VK_DOWN), DIK_DOWN);
}

} // namespace
