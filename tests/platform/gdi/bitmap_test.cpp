// Bitmap files: reading, refusing damaged, oversized and unreadable ones, reading a file again
// only when it changed, and copying pictures into surfaces.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "bmp_image.h"
#include "display_fixture.h"
#include "files/special_files.h"
#include "picture_folder.h"
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

COLORREF pictureAt(int x, int y) { return Picture[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; }

std::vector<unsigned char> pictureFile() { return bmpImage(3, 2, pictureAt); }

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

COLORREF pixelOf(HBITMAP bitmap, int x, int y) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ kept = SelectObject(memory, object(bitmap));
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, kept);
    DeleteDC(memory);
    return colour;
}

class BitmapFiles : public testing::Test {
protected:
    void SetUp() override { platform::headless::reset(); }

    // Written to the folder; returned with a Windows separator, as the game names its files.
    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) {
        std::ofstream(utf8Path(files.file(name)), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return files.path + "\\" + name;
    }

    static HBITMAP load(const std::string& path) {
        return LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    }

    // Named as a player might name a folder: spaces, and letters beyond ASCII and beyond any one
    // code page.
    TempDir files{"Bilder für Ωmega "};
};

TEST_F(BitmapFiles, ReadsAFileNamedWithBackslashes) {
    HBITMAP bitmap = load(write("good.bmp", pictureFile()));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    EXPECT_EQ(GetObjectA(object(bitmap), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(info.bmPlanes, 1);
    EXPECT_TRUE(DeleteObject(object(bitmap)));

    // Its rows read from the top down, as a negative height says.
    std::vector<unsigned char> topDown = pictureFile();
    put32(topDown, 22, static_cast<unsigned>(-2));
    bitmap = load(write("topdown.bmp", topDown));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(pixelOf(bitmap, 0, 0), pictureAt(0, 1));
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
    // Runs of four bits a pixel too.
    std::vector<unsigned char> fourBits = runLengthFile(16, 16);
    put16(fourBits, 28, 4);
    put32(fourBits, 30, 2); // BI_RLE4
    HBITMAP runsOfFour = load(write("four.bmp", fourBits));
    ASSERT_NE(runsOfFour, nullptr);
    DeleteObject(object(runsOfFour));

    const std::string path = write("huge.bmp", runLengthFile(8192, 8192));
    HBITMAP huge = nullptr;
    EXPECT_LT(largestSdlBlock([&] { huge = load(path); }), std::size_t{1} << 20);
    EXPECT_EQ(huge, nullptr);
}

TEST_F(BitmapFiles, OnlyRegularFilesAreOpenedAndRead) {
    SpecialFiles special(files.path);
    ASSERT_FALSE(special.paths.empty());
    for (const std::string& path : special.paths) {
        auto loading = std::async(std::launch::async, [&] { return load(path); });
        if (loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "reading " << path << " blocks";
            special.release();
        }
        EXPECT_EQ(loading.get(), nullptr) << path;
        std::string named = path;
        std::replace(named.begin(), named.end(), '\\', '/');
        EXPECT_EQ(pictureReads(named), 0) << "nothing is read from " << path;
    }

    ASSERT_TRUE(std::filesystem::create_directory(utf8Path(files.file("folder.bmp"))));
    EXPECT_EQ(load(files.path + "\\folder.bmp"), nullptr);
    EXPECT_EQ(pictureReads(files.file("folder.bmp")), 0);
}

TEST_F(BitmapFiles, ASettledFileIsReadAgainOnlyOnceItChanged) {
    const std::string path = write("kept.bmp", pictureFile());
    const std::string file = files.file("kept.bmp");
    PictureFolder::settle(file);
    for (int i = 0; i < 3; ++i) {
        HBITMAP bitmap = load(path);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(pixelOf(bitmap, 0, 0), pictureAt(0, 0)) << i;
        EXPECT_EQ(pixelOf(bitmap, 1, 1), pictureAt(1, 1)) << i;
        // Each load is a picture of its own: drawing on one leaves the next as the file has it.
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ kept = SelectObject(memory, object(bitmap));
        SetPixel(memory, 0, 0, RGB(9, 9, 9));
        SelectObject(memory, kept);
        DeleteDC(memory);
        DeleteObject(object(bitmap));
    }
    EXPECT_EQ(pictureReads(file), 1);

    // Another picture of the same size: only the file's time tells it from the first.
    write("kept.bmp", bmpImage(3, 2, [](int, int) { return RGB(1, 2, 3); }));
    PictureFolder::settle(file, 1800);
    HBITMAP changed = load(path);
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(pixelOf(changed, 0, 0), RGB(1, 2, 3));
    DeleteObject(object(changed));
    EXPECT_EQ(pictureReads(file), 2);

    // Replaced by another file of the same size and time, as a program that saves safely does:
    // only which file it is tells it from the last.
    write("saved.bmp", bmpImage(3, 2, [](int, int) { return RGB(4, 5, 6); }));
    std::filesystem::last_write_time(utf8Path(files.file("saved.bmp")),
                                     std::filesystem::last_write_time(utf8Path(file)));
    std::filesystem::rename(utf8Path(files.file("saved.bmp")), utf8Path(file));
    HBITMAP replaced = load(path);
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(pixelOf(replaced, 0, 0), RGB(4, 5, 6));
    DeleteObject(object(replaced));
    EXPECT_EQ(pictureReads(file), 3);

    std::filesystem::remove(utf8Path(file));
    EXPECT_EQ(load(path), nullptr);

    // Nor is a damaged file read again while it stays the same.
    std::vector<unsigned char> damaged = pictureFile();
    damaged[0] = 'P';
    const std::string damagedPath = write("damaged.bmp", damaged);
    PictureFolder::settle(files.file("damaged.bmp"));
    EXPECT_EQ(load(damagedPath), nullptr);
    EXPECT_EQ(load(damagedPath), nullptr);
    EXPECT_EQ(pictureReads(files.file("damaged.bmp")), 1);

    // A file written a moment ago may be written again within the same file time: it is read
    // every time until it has settled.
    const std::string fresh = write("fresh.bmp", pictureFile());
    for (int i = 0; i < 2; ++i) {
        HBITMAP bitmap = load(fresh);
        ASSERT_NE(bitmap, nullptr);
        DeleteObject(object(bitmap));
    }
    EXPECT_EQ(pictureReads(files.file("fresh.bmp")), 2);
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
    EXPECT_EQ(GetPixel(dc, 100, 99), RGB(0, 0, 0));
    // Cut at the right edge, not wrapped onto the next row.
    ASSERT_TRUE(StretchBlt(dc, 797, 200, 6, 4, memory, 0, 0, 3, 2, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 799, 200), colourAt(picture, 1, 0));
    EXPECT_EQ(GetPixel(dc, 0, 201), RGB(0, 0, 0));
    d.back->ReleaseDC(dc);

    SelectObject(memory, kept);
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteObject(object(bitmap)));
    probe->Release();
    picture->Release();
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, BitmapCopy, testing::Values(8, 16, 24, 32));

} // namespace
