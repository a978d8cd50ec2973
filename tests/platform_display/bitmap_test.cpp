// Bitmap files: reading, refusing damaged or oversized ones, and copying them into surfaces.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bmp_image.h"
#include "display_fixture.h"
#include "temp_dir.h"

namespace {

void put16(std::vector<unsigned char>& out, std::size_t at, unsigned v) {
    out[at] = static_cast<unsigned char>(v);
    out[at + 1] = static_cast<unsigned char>(v >> 8);
}
void put32(std::vector<unsigned char>& out, std::size_t at, unsigned v) {
    put16(out, at, v & 0xFFFF);
    put16(out, at + 2, v >> 16);
}

const std::vector<std::vector<COLORREF>> Picture = {
    {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
    {RGB(255, 255, 255), RGB(0xFF, 0xC4, 0x11), RGB(0, 0, 0)},
};

COLORREF pictureAt(int x, int y) {
    return Picture[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

std::vector<unsigned char> pictureFile() {
    return bmpImage(3, 2, pictureAt);
}

// A run-length picture of 120 bytes that claims any size: headers, 16 colours, end of picture.
std::vector<unsigned char> runLengthFile(unsigned width, unsigned height) {
    std::vector<unsigned char> file(120, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, 120);
    put32(file, 10, 54 + 64);
    put32(file, 14, 40);
    put32(file, 18, width);
    put32(file, 22, height);
    put16(file, 26, 1);
    put16(file, 28, 8);
    put32(file, 30, 1); // BI_RLE8
    put32(file, 46, 16);
    file[119] = 1; // end of picture
    return file;
}

// The largest block that SDL is asked for while `body` runs.
SDL_malloc_func sdlMalloc;
SDL_calloc_func sdlCalloc;
SDL_realloc_func sdlRealloc;
SDL_free_func sdlFree;
std::size_t largestBlock = 0;

std::size_t largestSdlBlock(const std::function<void()>& body) {
    SDL_GetMemoryFunctions(&sdlMalloc, &sdlCalloc, &sdlRealloc, &sdlFree);
    largestBlock = 0;
    SDL_SetMemoryFunctions(
        [](std::size_t size) {
            largestBlock = std::max(largestBlock, size);
            return sdlMalloc(size);
        },
        [](std::size_t count, std::size_t size) {
            largestBlock = std::max(largestBlock, count * size);
            return sdlCalloc(count, size);
        },
        [](void* block, std::size_t size) {
            largestBlock = std::max(largestBlock, size);
            return sdlRealloc(block, size);
        },
        sdlFree);
    body();
    SDL_SetMemoryFunctions(sdlMalloc, sdlCalloc, sdlRealloc, sdlFree);
    return largestBlock;
}

class BitmapFiles : public testing::Test {
protected:
    void SetUp() override { platform::headless::reset(); }

    // Written to the folder; returned with a Windows separator, as the game names its files.
    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::ofstream(files.file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return files.path + "\\" + name;
    }

    static HBITMAP load(const std::string& path) {
        return LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    }

    TempDir files;
};

TEST_F(BitmapFiles, ReadsAFileNamedWithBackslashes) {
    HBITMAP bitmap = load(write("good.bmp", pictureFile()));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    EXPECT_EQ(GetObjectA(object(bitmap), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_TRUE(DeleteObject(object(bitmap)));
}

TEST_F(BitmapFiles, RefusesMissingDamagedAndOversizedFiles) {
    EXPECT_EQ(load(files.path + "\\absent.bmp"), nullptr);
    std::vector<unsigned char> good = pictureFile();

    std::vector<unsigned char> truncated(good.begin(), good.end() - 1);
    EXPECT_EQ(load(write("truncated.bmp", truncated)), nullptr);
    std::vector<unsigned char> headerOnly(good.begin(), good.begin() + 30);
    EXPECT_EQ(load(write("header.bmp", headerOnly)), nullptr);

    std::vector<unsigned char> notBmp = good;
    notBmp[0] = 'P';
    EXPECT_EQ(load(write("notbmp.bmp", notBmp)), nullptr);

    std::vector<unsigned char> zeroWidth = good;
    put32(zeroWidth, 18, 0);
    EXPECT_EQ(load(write("zero.bmp", zeroWidth)), nullptr);
}

TEST_F(BitmapFiles, ARunLengthFileMayClaimNoMoreThanTheCaps) {
    // 4096 on a side; the header is refused before anything is made for it.
    HBITMAP widest = load(write("widest.bmp", runLengthFile(4096, 1)));
    ASSERT_NE(widest, nullptr);
    DeleteObject(object(widest));
    HBITMAP tallest = load(write("tallest.bmp", runLengthFile(1, 4096)));
    ASSERT_NE(tallest, nullptr);
    DeleteObject(object(tallest));
    EXPECT_EQ(load(write("wide.bmp", runLengthFile(4097, 1))), nullptr);
    EXPECT_EQ(load(write("tall.bmp", runLengthFile(1, 0x7FFFFFFF))), nullptr);

    const std::string path = write("huge.bmp", runLengthFile(8192, 8192));
    HBITMAP huge = nullptr;
    EXPECT_LT(largestSdlBlock([&] { huge = load(path); }), std::size_t{1} << 20);
    EXPECT_EQ(huge, nullptr);
}

TEST_F(BitmapFiles, ResourceLookupsFindNothing) {
    const std::string path = write("good.bmp", pictureFile());
    EXPECT_EQ(LoadImageA(GetModuleHandleA(nullptr), path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, MAKEINTRESOURCEA(5), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

class BitmapCopy : public testing::TestWithParam<int> {};

TEST_P(BitmapCopy, BitBltConvertsAsSetPixelDoesAndClipsLikeGdi) {
    DisplayFixture d(GetParam());
    const TempDir files;
    const std::string path = files.file("copy.bmp");
    ASSERT_TRUE(writeBmp(path, 3, 2, pictureAt));
    HBITMAP bitmap = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    ASSERT_NE(bitmap, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    ASSERT_NE(memory, nullptr);
    HGDIOBJ kept = SelectObject(memory, object(bitmap));
    IDirectDrawSurface* picture = d.offscreen(3, 2);
    HDC dc = nullptr;
    ASSERT_EQ(picture->GetDC(&dc), DD_OK);
    ASSERT_TRUE(BitBlt(dc, 0, 0, 3, 2, memory, 0, 0, SRCCOPY));
    picture->ReleaseDC(dc);

    // Each copied pixel holds the raw value that SetPixel gives its colour, so keys match.
    IDirectDrawSurface* probe = d.offscreen(1, 1);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            ASSERT_EQ(probe->GetDC(&dc), DD_OK);
            SetPixel(dc, 0, 0, pictureAt(x, y));
            probe->ReleaseDC(dc);
            EXPECT_EQ(rawPixel(picture, x, y), rawPixel(probe, 0, 0)) << x << "," << y;
        }
    }

    // Clipped on both sides: only the source's bottom-right part lands at the corner.
    fillSurface(d.back, 0);
    ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
    ASSERT_TRUE(BitBlt(dc, -1, -1, 3, 2, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 0, 0), colourAt(picture, 1, 1));
    EXPECT_EQ(GetPixel(dc, 1, 0), colourAt(picture, 2, 1));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 0));
    ASSERT_TRUE(BitBlt(dc, 798, 10, 5, 5, memory, 1, 0, SRCCOPY)); // source and destination both run out
    EXPECT_EQ(GetPixel(dc, 798, 10), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 799, 10), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 798, 12), RGB(0, 0, 0));

    // Stretched to twice its size, each pixel becomes a 2 by 2 block.
    ASSERT_TRUE(StretchBlt(dc, 100, 100, 6, 4, memory, 0, 0, 3, 2, SRCCOPY));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(GetPixel(dc, 100 + x, 100 + y), colourAt(picture, x / 2, y / 2)) << x << "," << y;
        }
    }
    EXPECT_EQ(GetPixel(dc, 106, 100), RGB(0, 0, 0));
    d.back->ReleaseDC(dc);

    SelectObject(memory, kept);
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteObject(object(bitmap)));
    probe->Release();
    picture->Release();
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, BitmapCopy, testing::Values(8, 16, 24, 32));

} // namespace
