// The display modes' pixel formats: what Lock reports and how colours survive them.
#include <gtest/gtest.h>

#include "display_fixture.h"
#include "platform/ddraw/pixel_format.h"

namespace {

TEST(PixelFormat, LockReportsTheModesBitsAndPitch) {
    for (int bits : {8, 16, 24, 32}) {
        DisplayFixture d(bits);
        DDSURFACEDESC desc = {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(d.back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, static_cast<DWORD>(bits));
        EXPECT_EQ(desc.dwWidth, 800u);
        EXPECT_EQ(desc.dwHeight, 600u);
        EXPECT_GE(desc.lPitch, 800 * bits / 8);
        EXPECT_NE(desc.lpSurface, nullptr);
        d.back->Unlock(nullptr);

        IDirectDrawSurface* picture = d.offscreen(37, 5);
        DDSURFACEDESC size = {};
        size.dwSize = sizeof size;
        ASSERT_EQ(picture->GetSurfaceDesc(&size), DD_OK);
        EXPECT_EQ(size.dwWidth, 37u);
        EXPECT_EQ(size.dwHeight, 5u);
        EXPECT_EQ(size.ddpfPixelFormat.dwRGBBitCount, static_cast<DWORD>(bits));
        picture->Release();
    }
}

TEST(PixelFormat, TheDesktopsDepthIsItsBytesTimesEightOr32WhereThatIsNoMode) {
    using platform::pixels::desktopBitsFor;
    EXPECT_EQ(desktopBitsFor(SDL_PIXELFORMAT_RGB888), 32); // an X11 desktop at depth 24
    EXPECT_EQ(desktopBitsFor(SDL_PIXELFORMAT_RGB565), 16);
    EXPECT_EQ(desktopBitsFor(SDL_PIXELFORMAT_BGR24), 24);
    // SDL names no format for an X server at depth 30; the game starts at 32 bits there.
    EXPECT_EQ(desktopBitsFor(SDL_PIXELFORMAT_UNKNOWN), 32);
    EXPECT_EQ(desktopBitsFor(SDL_PIXELFORMAT_INDEX4MSB), 32);
}

TEST(PixelFormat, TwentyFourBitsKeepBlueGreenRedInMemory) {
    DisplayFixture d(24);
    HDC dc = nullptr;
    ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
    SetPixel(dc, 1, 0, RGB(0x11, 0x22, 0x33));
    d.back->ReleaseDC(dc);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(d.back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    const auto* bytes = static_cast<const unsigned char*>(desc.lpSurface) + 3;
    EXPECT_EQ(bytes[0], 0x33);
    EXPECT_EQ(bytes[1], 0x22);
    EXPECT_EQ(bytes[2], 0x11);
    d.back->Unlock(nullptr);
}

TEST(PixelFormat, TwentyFourBitsRoundTripEveryColour) {
    DisplayFixture d(24);
    HDC dc = nullptr;
    ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
    for (COLORREF colour : {RGB(0, 0, 0), RGB(255, 255, 255), RGB(1, 2, 3), RGB(0xFF, 0xC4, 0x11), RGB(254, 0, 129)}) {
        EXPECT_EQ(SetPixel(dc, 5, 5, colour), colour);
        EXPECT_EQ(GetPixel(dc, 5, 5), colour);
    }
    d.back->ReleaseDC(dc);
}

TEST(PixelFormat, EightBitsRoundTripPaletteColoursAndMapOthersToTheNearest) {
    DisplayFixture d(8);
    HDC dc = nullptr;
    ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
    // The game's colours that the palette holds exactly.
    for (COLORREF colour :
         {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255)}) {
        EXPECT_EQ(SetPixel(dc, 2, 2, colour), colour);
        EXPECT_EQ(GetPixel(dc, 2, 2), colour);
    }
    // Another colour comes back as its nearest palette entry, the same every time.
    const COLORREF near = SetPixel(dc, 3, 3, RGB(0xFF, 0xC4, 0x11));
    EXPECT_EQ(GetPixel(dc, 3, 3), near);
    EXPECT_LE(std::abs(GetRValue(near) - 0xFF) + std::abs(GetGValue(near) - 0xC4) + std::abs(GetBValue(near) - 0x11),
              60);
    EXPECT_EQ(SetPixel(dc, 4, 4, near), near);
    d.back->ReleaseDC(dc);
    // Raw value 0 is black, as the frame clear relies on.
    fillSurface(d.back, 0);
    EXPECT_EQ(colourAt(d.back, 0, 0), RGB(0, 0, 0));
}

TEST(PixelFormat, TheScreenShowsWhatGetPixelReadsForEveryRawValue) {
    for (int bits : {8, 16}) {
        DisplayFixture d(bits);
        const std::uint32_t values = 1u << bits;
        for (std::uint32_t v = 0; v < values; ++v) {
            setRawPixel(d.back, static_cast<int>(v % 800), static_cast<int>(v / 800), v);
        }
        ASSERT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
        const auto& shown = platform::headless::lastPresented();
        HDC dc = nullptr;
        ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
        int mismatches = 0;
        for (std::uint32_t v = 0; v < values; ++v) {
            const COLORREF read = GetPixel(dc, static_cast<int>(v % 800), static_cast<int>(v / 800));
            const std::uint32_t expected =
                (std::uint32_t{GetRValue(read)} << 16) | (std::uint32_t{GetGValue(read)} << 8) | GetBValue(read);
            mismatches += shown[v] != expected;
        }
        EXPECT_EQ(mismatches, 0) << bits;
        EXPECT_EQ(GetPixel(dc, 800, 0), CLR_INVALID);
        EXPECT_EQ(GetPixel(dc, 0, -1), CLR_INVALID);
        EXPECT_EQ(SetPixel(dc, -1, 0, RGB(1, 1, 1)), CLR_INVALID);
        d.back->ReleaseDC(dc);
    }
}

TEST(DeviceContexts, ScreenDepthAndOneContextPerSurface) {
    DisplayFixture d(16, 24);
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 24);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    HDC dc = nullptr;
    ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 16);
    HDC second = nullptr;
    EXPECT_NE(d.back->GetDC(&second), DD_OK);
    EXPECT_EQ(d.back->ReleaseDC(dc), DD_OK);
    EXPECT_NE(d.back->ReleaseDC(dc), DD_OK);
    EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
}

} // namespace
