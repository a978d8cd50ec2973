// Fonts sized by cell height, TextOutA's opaque cell and DrawTextA in an edit control's manner.
#include <gtest/gtest.h>

#include <algorithm>

#include "display_fixture.h"
#include "platform/gdi/font_info.h"

namespace {

constexpr COLORREF Back = RGB(0, 0, 1);
constexpr COLORREF Text = RGB(255, 0, 0);
constexpr COLORREF Ground = RGB(0, 255, 0);

HFONT arial(int height, DWORD quality = NONANTIALIASED_QUALITY, DWORD underline = 0) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, underline, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, quality, VARIABLE_PITCH, "Arial");
}

struct Box {
    int left = 1 << 30;
    int top = 1 << 30;
    int right = -1;
    int bottom = -1;
    int count = 0;
};

// The bounding box of every pixel of one colour.
Box boxOf(HDC dc, COLORREF colour, int width = 300, int height = 120) {
    Box box;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (GetPixel(dc, x, y) == colour) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
                ++box.count;
            }
        }
    }
    return box;
}

class TextTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
        paintGround();
        SetTextColor(dc, Text);
        SetBkColor(dc, Back);
    }
    void paintGround() {
        HBRUSH ground = CreateSolidBrush(Ground);
        HGDIOBJ kept = SelectObject(dc, object(ground));
        HGDIOBJ keptPen = SelectObject(dc, GetStockObject(NULL_PEN));
        Rectangle(dc, 0, 0, 801, 601);
        SelectObject(dc, kept);
        SelectObject(dc, keptPen);
        DeleteObject(object(ground));
    }
    void TearDown() override { d.back->ReleaseDC(dc); }

    DisplayFixture d{32};
    HDC dc = nullptr;
};

TEST_F(TextTest, ArialIsLiberationSansSizedByItsCell) {
    struct Expected {
        int height, ppem, ascent;
    };
    for (Expected e : {Expected{13, 12, 11}, Expected{18, 16, 14}, Expected{20, 18, 16}}) {
        platform::headless::clearTrace();
        HFONT font = arial(e.height, e.height == 13 ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY);
        ASSERT_NE(font, nullptr);
        ASSERT_FALSE(platform::headless::trace().empty());
        EXPECT_EQ(platform::headless::trace().back(), "CreateFontA Arial " + std::to_string(e.height));
        platform::gdi::FontInfo info;
        ASSERT_TRUE(platform::gdi::describeFont(font, &info));
        EXPECT_EQ(info.family, "Liberation Sans");
        EXPECT_EQ(info.ppem, e.ppem) << e.height;
        EXPECT_EQ(info.ascent, e.ascent) << e.height;
        EXPECT_EQ(info.cellHeight, e.height);
        DeleteObject(object(font));
    }
}

TEST_F(TextTest, TextOutFillsTheCellThenDrawsTheGlyphs) {
    for (int height : {13, 18, 20}) {
        HFONT font = arial(height);
        HGDIOBJ kept = SelectObject(dc, object(font));
        SetBkColor(dc, Back);
        ASSERT_TRUE(TextOutA(dc, 30, 40, "Score 123", 9));
        const Box cell = boxOf(dc, Back);
        const Box ink = boxOf(dc, Text);
        EXPECT_EQ(cell.left, 30) << height;
        EXPECT_EQ(cell.top, 40) << height;
        EXPECT_EQ(cell.bottom, 40 + height) << height;
        EXPECT_GT(cell.right, 30 + 9 * height / 4) << height;
        EXPECT_GT(ink.count, 20) << height;
        // Ink lies within the cell, so the cell's box is the union of both.
        EXPECT_GE(ink.left, 30);
        EXPECT_GE(ink.top, 40);
        EXPECT_LE(ink.right, cell.right);
        EXPECT_LE(ink.bottom, 40 + height);
        EXPECT_EQ(GetPixel(dc, 29, 45), Ground);
        EXPECT_EQ(GetPixel(dc, 35, 40 + height), Ground);
        // Crisp: only the two colours and the ground.
        for (int x = 30; x < cell.right; ++x) {
            const COLORREF c = GetPixel(dc, x, 40 + height / 2);
            EXPECT_TRUE(c == Back || c == Text) << height << " at " << x;
        }
        SelectObject(dc, kept);
        DeleteObject(object(font));
        paintGround();
    }
}

TEST_F(TextTest, EmptyTextAndTextOffTheSurface) {
    HFONT font = arial(13);
    SelectObject(dc, object(font));
    EXPECT_TRUE(TextOutA(dc, 10, 10, "", 0));
    EXPECT_EQ(GetPixel(dc, 10, 10), Ground);
    EXPECT_TRUE(TextOutA(dc, 790, 595, "123456", 6));
    EXPECT_TRUE(TextOutA(dc, -20, -5, "123456", 6));
    EXPECT_EQ(GetPixel(dc, 799, 599), Back);
    EXPECT_EQ(GetPixel(dc, 0, 0), Back);
    EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 3));
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(object(font));
}

TEST_F(TextTest, UnderlineDrawsALineBelowTheBaselineInsideTheCell) {
    HFONT plain = arial(20);
    HFONT underlined = arial(20, NONANTIALIASED_QUALITY, 1);
    SelectObject(dc, object(plain));
    TextOutA(dc, 0, 0, "ooo", 3);
    SelectObject(dc, object(underlined));
    TextOutA(dc, 0, 50, "ooo", 3);
    int plainInk = 0;
    int lineInk = 0;
    for (int y = 16; y < 20; ++y) {
        for (int x = 0; x < 10; ++x) {
            plainInk += GetPixel(dc, x, y) == Text;
            lineInk += GetPixel(dc, x, 50 + y) == Text;
        }
    }
    EXPECT_EQ(plainInk, 0);
    EXPECT_GE(lineInk, 10);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(object(plain));
    DeleteObject(object(underlined));
}

TEST_F(TextTest, DrawTextBreaksLinesAndLeavesOutAPartialLastLine) {
    HFONT font = arial(13);
    SelectObject(dc, object(font));
    RECT box{20, 20, 60, 20 + 13 * 2 + 12};
    const char* text = "WWWWWWWWWWWW\nA\nB";
    DrawTextA(dc, text, -1, &box, DT_EDITCONTROL);
    const Box cell = boxOf(dc, Back);
    EXPECT_EQ(cell.left, 20);
    EXPECT_EQ(cell.top, 20);
    EXPECT_EQ(cell.right, 60);       // the long first line is cut at the right edge
    EXPECT_EQ(cell.bottom, 20 + 26); // the third line would show only in part
    EXPECT_EQ(GetPixel(dc, 61, 25), Ground);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(object(font));
}

} // namespace
