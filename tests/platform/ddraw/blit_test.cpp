// BltFast's refusals, raw colour keys at 16 and 32 bits, colour fills, and a surface description
// that does not state its own size.
#include <gtest/gtest.h>

#include <vector>

#include "display_fixture.h"

namespace {

constexpr std::uint32_t Marker = 0x1234;

// A 4 by 3 picture whose pixels all hold one raw value.
IDirectDrawSurface* solidPicture(DisplayFixture& d, std::uint32_t raw) {
    IDirectDrawSurface* picture = d.offscreen(4, 3);
    fillSurface(picture, raw);
    return picture;
}

bool backBufferUntouched(DisplayFixture& d) {
    for (int y = 0; y < 600; y += 599) {
        for (int x = 0; x < 800; x += 799) {
            if (rawPixel(d.back, x, y) != Marker) {
                return false;
            }
        }
    }
    return rawPixel(d.back, 400, 300) == Marker;
}

class BltFastBounds : public testing::Test {
protected:
    void SetUp() override { fillSurface(d.back, Marker); }
    DisplayFixture d{16};
};

TEST_F(BltFastBounds, RefusesADestinationThatLeavesTheBackBuffer) {
    IDirectDrawSurface* picture = solidPicture(d, 0xF800);
    RECT whole{0, 0, 4, 3};
    EXPECT_EQ(d.back->BltFast(797, 0, picture, &whole, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(d.back->BltFast(0, 598, picture, &whole, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(d.back->BltFast(800, 0, picture, &whole, DDBLTFAST_SRCCOLORKEY), DDERR_INVALIDRECT);
    // A negative position arrives as a huge unsigned one.
    EXPECT_EQ(d.back->BltFast(static_cast<DWORD>(-2), 10, picture, &whole, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(d.back->BltFast(10, static_cast<DWORD>(-1), picture, &whole, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_TRUE(backBufferUntouched(d));
    EXPECT_EQ(rawPixel(d.back, 799, 0), Marker);
    // Touching the last column and row exactly is inside.
    EXPECT_EQ(d.back->BltFast(796, 597, picture, &whole, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(rawPixel(d.back, 799, 599), 0xF800u);
    EXPECT_EQ(rawPixel(d.back, 795, 599), Marker);
    picture->Release();
}

TEST_F(BltFastBounds, RefusesEmptyInvertedAndOutsideSourceRectangles) {
    IDirectDrawSurface* picture = solidPicture(d, 0xF800);
    const RECT refused[] = {
        {2, 0, 2, 3},  // empty
        {3, 0, 1, 3},  // inverted
        {0, 2, 4, 1},  // inverted vertically
        {0, 0, 5, 3},  // wider than the picture
        {-1, 0, 2, 3}, // starting left of it
        {0, 0, 4, 4},  // taller than it
    };
    for (RECT r : refused) {
        EXPECT_EQ(d.back->BltFast(100, 100, picture, &r, DDBLTFAST_WAIT), DDERR_INVALIDRECT)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(d.back->BltFast(100, 100, picture, &r, DDBLTFAST_SRCCOLORKEY), DDERR_INVALIDRECT);
    }
    EXPECT_EQ(rawPixel(d.back, 100, 100), Marker);
    EXPECT_TRUE(backBufferUntouched(d));
    picture->Release();
}

TEST_F(BltFastBounds, CopiesASubRectangleToItsPlace) {
    IDirectDrawSurface* picture = d.offscreen(4, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            setRawPixel(picture, x, y, static_cast<std::uint32_t>(y * 4 + x + 1));
        }
    }
    RECT part{1, 1, 3, 3};
    ASSERT_EQ(d.back->BltFast(10, 20, picture, &part, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(rawPixel(d.back, 10, 20), 6u);
    EXPECT_EQ(rawPixel(d.back, 11, 21), 11u);
    EXPECT_EQ(rawPixel(d.back, 12, 20), Marker);
    EXPECT_EQ(rawPixel(d.back, 10, 22), Marker);
    EXPECT_EQ(rawPixel(d.back, 9, 20), Marker);
    picture->Release();
}

// The key as the game finds it: SetPixel of the colour, then the first pixel's raw value.
std::uint32_t matchedKey(IDirectDrawSurface* surface, COLORREF colour) {
    HDC dc = nullptr;
    EXPECT_EQ(surface->GetDC(&dc), DD_OK);
    SetPixel(dc, 0, 0, colour);
    surface->ReleaseDC(dc);
    return rawPixel(surface, 0, 0);
}

class ColourKey : public testing::TestWithParam<int> {};

TEST_P(ColourKey, KeyedBlitSkipsExactlyTheKeyPixels) {
    DisplayFixture d(GetParam());
    IDirectDrawSurface* picture = d.offscreen(3, 2);
    const std::uint32_t key = matchedKey(picture, RGB(0, 255, 0));
    HDC dc = nullptr;
    ASSERT_EQ(picture->GetDC(&dc), DD_OK);
    // Green, another green and other colours: only the key green is transparent.
    const COLORREF colours[2][3] = {{RGB(0, 255, 0), RGB(255, 0, 0), RGB(0, 255, 0)},
                                    {RGB(0, 200, 0), RGB(0, 255, 0), RGB(0, 0, 255)}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SetPixel(dc, x, y, colours[y][x]);
        }
    }
    picture->ReleaseDC(dc);
    DDCOLORKEY colourKey{key, key};
    ASSERT_EQ(picture->SetColorKey(DDCKEY_SRCBLT, &colourKey), DD_OK);

    fillSurface(d.back, 0);
    RECT whole{0, 0, 3, 2};
    ASSERT_EQ(d.back->BltFast(50, 60, picture, &whole, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(rawPixel(d.back, 50, 60), 0u);
    EXPECT_EQ(colourAt(d.back, 51, 60), colourAt(picture, 1, 0));
    EXPECT_EQ(rawPixel(d.back, 52, 60), 0u);
    EXPECT_EQ(rawPixel(d.back, 50, 61), rawPixel(picture, 0, 1));
    EXPECT_NE(rawPixel(d.back, 50, 61), 0u);
    EXPECT_EQ(rawPixel(d.back, 51, 61), 0u);
    EXPECT_EQ(rawPixel(d.back, 52, 61), rawPixel(picture, 2, 1));

    // The plain copy of the same surface ignores the key.
    ASSERT_EQ(d.back->BltFast(50, 60, picture, &whole, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(rawPixel(d.back, 50, 60), key);
    EXPECT_EQ(rawPixel(d.back, 51, 61), key);
    picture->Release();
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, ColourKey, testing::Values(8, 16, 24, 32));

TEST(ColourKeyValues, GreenIs07E0At16Bits) {
    DisplayFixture d(16);
    IDirectDrawSurface* picture = d.offscreen(2, 2);
    EXPECT_EQ(matchedKey(picture, RGB(0, 255, 0)), 0x07E0u);
    EXPECT_EQ(matchedKey(picture, RGB(255, 0, 0)), 0xF800u);
    picture->Release();
}

TEST(ColourKeyValues, TheWholeWordIsTheKeyAt32Bits) {
    DisplayFixture d(32);
    IDirectDrawSurface* picture = d.offscreen(2, 1);
    EXPECT_EQ(matchedKey(picture, RGB(0, 255, 0)), 0x0000FF00u);
    // Pixels that differ from the key only in the spare byte are not transparent.
    setRawPixel(picture, 0, 0, 0x0000FF00u);
    setRawPixel(picture, 1, 0, 0xFF00FF00u);
    DDCOLORKEY key{0x0000FF00u, 0x0000FF00u};
    ASSERT_EQ(picture->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    fillSurface(d.back, 0);
    RECT whole{0, 0, 2, 1};
    ASSERT_EQ(d.back->BltFast(0, 0, picture, &whole, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(rawPixel(d.back, 0, 0), 0u);
    EXPECT_EQ(rawPixel(d.back, 1, 0), 0xFF00FF00u);
    picture->Release();
}

TEST(ColourFill, FillsTheWholeSurfaceOrARectangleInside) {
    DisplayFixture d(24);
    fillSurface(d.back, 0x00ABCDEF);
    EXPECT_EQ(rawPixel(d.back, 0, 0) & 0xFFFFFFu, 0xABCDEFu);
    EXPECT_EQ(rawPixel(d.back, 799, 599) & 0xFFFFFFu, 0xABCDEFu);
    DDBLTFX fx = {};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0;
    RECT part{10, 10, 20, 15};
    ASSERT_EQ(d.back->Blt(&part, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(rawPixel(d.back, 10, 10) & 0xFFFFFFu, 0u);
    EXPECT_EQ(rawPixel(d.back, 19, 14) & 0xFFFFFFu, 0u);
    EXPECT_EQ(rawPixel(d.back, 20, 14) & 0xFFFFFFu, 0xABCDEFu);
    RECT outside{790, 590, 801, 600};
    EXPECT_EQ(d.back->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DDERR_INVALIDRECT);
    EXPECT_EQ(rawPixel(d.back, 795, 595) & 0xFFFFFFu, 0xABCDEFu);
    fx.dwSize = 0;
    EXPECT_EQ(d.back->Blt(&part, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DDERR_INVALIDPARAMS);
}

TEST(CreateSurface, RefusesADescriptionThatDoesNotStateItsSize) {
    DisplayFixture d(16);
    DDSURFACEDESC desc = {};
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = desc.dwHeight = 4;
    IDirectDrawSurface* surface = nullptr;
    EXPECT_EQ(d.ddraw->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPARAMS);
}

TEST(Flip, PresentsTheBackBufferAs0RGB) {
    for (int bits : {8, 16, 24, 32}) {
        DisplayFixture d(bits);
        fillSurface(d.back, 0);
        HDC dc = nullptr;
        ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
        SetPixel(dc, 3, 2, RGB(255, 0, 0));
        SetPixel(dc, 799, 599, RGB(255, 255, 255));
        d.back->ReleaseDC(dc);
        ASSERT_EQ(d.primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
        const auto& frame = platform::headless::lastPresented();
        ASSERT_EQ(frame.size(), 800u * 600u) << bits;
        EXPECT_EQ(frame[2 * 800 + 3], 0x00FF0000u) << bits;
        EXPECT_EQ(frame[599 * 800 + 799], 0x00FFFFFFu) << bits;
        EXPECT_EQ(frame[0], 0u) << bits;
        EXPECT_EQ(d.back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    }
}

} // namespace
