// Surfaces lost when the game is switched away from in full-screen mode, and Restore.
#include <gtest/gtest.h>

#include "display_fixture.h"
#include "platform/core/system.h"

namespace {

void drainMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
}

class LostSurfaces : public testing::Test {
protected:
    void SetUp() override {
        picture = d.offscreen(8, 8);
        fillSurface(picture, 0x1111);
        fillSurface(d.back, 0x2222);
        platform::headless::setActive(false);
        drainMessages();
    }
    void TearDown() override { picture->Release(); }

    DisplayFixture d{16};
    IDirectDrawSurface* picture = nullptr;
};

TEST_F(LostSurfaces, EveryOperationFailsAndDrawsNothing) {
    DDBLTFX fx = {};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0x3333;
    RECT whole{0, 0, 8, 8};
    EXPECT_EQ(d.back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DDERR_SURFACELOST);
    EXPECT_EQ(d.back->BltFast(0, 0, picture, &whole, DDBLTFAST_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(platform::headless::presentedCount(), 0);
    HDC dc = reinterpret_cast<HDC>(1);
    EXPECT_EQ(d.back->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(dc, nullptr);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(d.back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(picture->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(picture->IsLost(), DDERR_SURFACELOST);

    // Coming back does not give the memory back by itself.
    platform::headless::setActive(true);
    drainMessages();
    EXPECT_EQ(d.back->BltFast(0, 0, picture, &whole, DDBLTFAST_WAIT), DDERR_SURFACELOST);
}

TEST_F(LostSurfaces, RestoreOnThePrimaryGivesBackTheChainWithAVisiblePattern) {
    platform::headless::setActive(true);
    drainMessages();
    ASSERT_EQ(d.primary->Restore(), DD_OK);
    EXPECT_EQ(d.back->IsLost(), DD_OK);
    EXPECT_EQ(picture->IsLost(), DDERR_SURFACELOST); // each sprite restores its own
    // The old frame is gone: magenta and black squares show what nobody redrew.
    EXPECT_EQ(colourAt(d.back, 0, 0), RGB(255, 0, 255));
    EXPECT_EQ(colourAt(d.back, 8, 0), RGB(0, 0, 0));
    EXPECT_EQ(colourAt(d.back, 8, 8), RGB(255, 0, 255));
    EXPECT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(platform::headless::lastPresented()[0], 0x00FF00FFu);

    ASSERT_EQ(picture->Restore(), DD_OK);
    RECT whole{0, 0, 8, 8};
    EXPECT_EQ(d.back->BltFast(0, 0, picture, &whole, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(colourAt(d.back, 7, 0), RGB(255, 0, 255));
}

TEST_F(LostSurfaces, RestoringWhatIsNotLostKeepsItsPixels) {
    platform::headless::setActive(true);
    drainMessages();
    d.primary->Restore();
    fillSurface(d.back, 0x4444);
    ASSERT_EQ(d.back->Restore(), DD_OK);
    EXPECT_EQ(rawPixel(d.back, 0, 0), 0x4444u);
}

TEST(LostSurfacesWindowed, NothingIsLostOutsideFullScreenExclusiveMode) {
    DisplayFixture d(32);
    ASSERT_EQ(d.ddraw->SetCooperativeLevel(d.window, DDSCL_NORMAL), DD_OK);
    EXPECT_FALSE(platform::sys::fullscreenExclusive());
    platform::headless::setActive(false);
    drainMessages();
    platform::sys::loseAllSurfaces();
    EXPECT_EQ(d.back->IsLost(), DD_OK);
    EXPECT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
}

TEST(DisplayLifetime, ReleasingTheDisplayLeavesFullScreen) {
    auto* d = new DisplayFixture(32);
    EXPECT_TRUE(platform::sys::fullscreenExclusive());
    platform::headless::clearTrace();
    delete d;
    EXPECT_FALSE(platform::sys::fullscreenExclusive());
    // The back buffer, then the primary, then the display object.
    const std::vector<std::string> expected = {"IDirectDrawSurface::Release", "IDirectDrawSurface::Release",
                                               "IDirectDraw::Release"};
    std::vector<std::string> seen;
    for (const auto& event : platform::headless::trace()) {
        if (event.rfind("IDirectDraw", 0) == 0) {
            seen.push_back(event);
        }
    }
    EXPECT_EQ(seen, expected);
}

TEST(DisplayLifetime, TheBackBufferLivesWhileTheGameHoldsIt) {
    DisplayFixture d(32);
    platform::headless::clearTrace();
    // Releasing the primary first frees it; the back buffer stays usable until its own release.
    d.primary->Release();
    d.primary = nullptr;
    EXPECT_EQ(platform::headless::trace().size(), 1u);
    fillSurface(d.back, 0x00123456);
    EXPECT_EQ(rawPixel(d.back, 1, 1), 0x00123456u);
}

TEST(DisplaySetUp, ModesAndFaults) {
    platform::headless::reset();
    IDirectDraw* ddraw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &ddraw, nullptr), DD_OK);
    EXPECT_EQ(ddraw->SetDisplayMode(800, 600, 15), DDERR_INVALIDMODE);
    EXPECT_EQ(ddraw->SetDisplayMode(800, 600, 24), DD_OK);
    platform::headless::injectFault(platform::Fault::SetDisplayMode);
    EXPECT_EQ(ddraw->SetDisplayMode(800, 600, 32), DDERR_INVALIDMODE);
    ddraw->Release();

    platform::headless::injectFault(platform::Fault::DirectDrawCreate, static_cast<HRESULT>(0x88760233u));
    ddraw = reinterpret_cast<IDirectDraw*>(1);
    EXPECT_EQ(DirectDrawCreate(nullptr, &ddraw, nullptr), static_cast<HRESULT>(0x88760233u));
    EXPECT_EQ(ddraw, nullptr);
}

} // namespace
