// The display set-up: the depth asked for, the clear, the keyboard while in the background, and
// the flip chain given back after the game was switched away from.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "headless_app.h"
#include "platform/headless.h"
#include "program/run_game.h"

namespace {

namespace headless = platform::headless;

class DisplayTest : public testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        app = Application{};
    }
    void TearDown() override { app.releaseDisplay(); }

    static DWORD backBufferBits() {
        DDSURFACEDESC desc = {};
        desc.dwSize = 108;
        EXPECT_EQ(app.display.backBuffer->Lock(nullptr, &desc, 0, nullptr), DD_OK);
        app.display.backBuffer->Unlock(nullptr);
        return desc.ddpfPixelFormat.dwRGBBitCount;
    }
    static void drainMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
};

TEST_F(DisplayTest, DepthCodesPickTheModeAndFourKeepsTheDesktops) {
    const DWORD bitsOfCode[] = {8, 16, 24, 32};
    for (int code = 0; code < 4; ++code) {
        platform::HeadlessOptions desktop;
        desktop.desktopBits = bitsOfCode[(code + 1) % 4]; // another depth: the code decides
        ASSERT_TRUE(startApplication(desktop, code)) << code;
        EXPECT_EQ(backBufferBits(), bitsOfCode[code]) << code;
        EXPECT_NE(app.active, 0) << "showing the window activates it";
        app.releaseDisplay();
    }

    platform::HeadlessOptions options;
    options.desktopBits = 16;
    ASSERT_TRUE(startApplication(options));
    EXPECT_EQ(backBufferBits(), 16u);
}

TEST_F(DisplayTest, NoKeyIsDownInTheBackgroundAndTheTruthComesBack) {
    ASSERT_TRUE(createApplication(3));
    headless::setKeyDown(DIK_SPACE, true);
    EXPECT_TRUE(app.keyDown(DIK_SPACE));
    headless::setActive(false);
    drainMessages();
    EXPECT_FALSE(app.keyDown(DIK_SPACE));
    headless::setActive(true);
    drainMessages();
    EXPECT_TRUE(app.keyDown(DIK_SPACE));
    EXPECT_FALSE(app.keyDown(DIK_UP));
    // Outside the table of 256 codes: never down, and nothing read past its ends.
    EXPECT_FALSE(app.keyDown(-1));
    EXPECT_FALSE(app.keyDown(256));
}

TEST_F(DisplayTest, AFlipAfterSwitchingAwayRestoresTheChain) {
    ASSERT_TRUE(createApplication(3));
    headless::setActive(false);
    drainMessages();
    headless::setActive(true);
    drainMessages();
    const int shown = headless::presentedCount();
    app.clearBackBuffer();
    app.flip(); // fails, and restores
    EXPECT_EQ(headless::presentedCount(), shown);
    app.clearBackBuffer();
    app.flip();
    EXPECT_EQ(headless::presentedCount(), shown + 1);
    const auto& pixels = headless::lastPresented();
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(pixels[0], 0u) << "the cleared back buffer is shown again";
    EXPECT_EQ(pixels[800 * 600 - 1], 0u);
}

} // namespace
