// Rectangle's exact extents with a 2-pixel pen, brush and pen lifetimes, and the cairo shapes.
#include <gtest/gtest.h>

#include "display_fixture.h"

namespace {

constexpr COLORREF Fill = RGB(0, 0, 255);
constexpr COLORREF Ink = RGB(255, 255, 0);
constexpr COLORREF Ground = RGB(0, 0, 0);

class ShapeTest : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        fillSurface(d.back, 0);
        ASSERT_EQ(d.back->GetDC(&dc), DD_OK);
        brush = CreateSolidBrush(Fill);
        pen = CreatePen(PS_SOLID, 2, Ink);
        keptBrush = SelectObject(dc, object(brush));
        keptPen = SelectObject(dc, object(pen));
    }
    void TearDown() override {
        SelectObject(dc, keptPen);
        SelectObject(dc, keptBrush);
        EXPECT_TRUE(DeleteObject(object(brush)));
        EXPECT_TRUE(DeleteObject(object(pen)));
        d.back->ReleaseDC(dc);
    }

    DisplayFixture d{GetParam()};
    HDC dc = nullptr;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HGDIOBJ keptBrush = nullptr;
    HGDIOBJ keptPen = nullptr;
};

TEST_P(ShapeTest, RectangleBorderIsTheOuterRingTwoPixelsWide) {
    ASSERT_TRUE(Rectangle(dc, 10, 20, 20, 30));
    // Covered: [9, 20) by [19, 30). Fill: [11, 18) by [21, 28).
    for (int y = 17; y < 32; ++y) {
        for (int x = 7; x < 22; ++x) {
            const bool covered = x >= 9 && x < 20 && y >= 19 && y < 30;
            const bool filled = x >= 11 && x < 18 && y >= 21 && y < 28;
            const COLORREF expected = !covered ? Ground : filled ? Fill : Ink;
            ASSERT_EQ(GetPixel(dc, x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST_P(ShapeTest, RectangleOfOneColourIsOneBlockAndClipsAtTheEdges) {
    HBRUSH same = CreateSolidBrush(Ink);
    SelectObject(dc, object(same));
    ASSERT_TRUE(Rectangle(dc, 0, 0, 800, 600));
    EXPECT_EQ(GetPixel(dc, 0, 0), Ink);
    EXPECT_EQ(GetPixel(dc, 400, 300), Ink);
    EXPECT_EQ(GetPixel(dc, 799, 599), Ink);
    // Deleting a selected brush waits until it is deselected.
    EXPECT_TRUE(DeleteObject(object(same)));
    ASSERT_TRUE(Rectangle(dc, 700, 500, 805, 610));
    EXPECT_EQ(GetPixel(dc, 750, 550), Ink);
    SelectObject(dc, object(brush));
    ASSERT_TRUE(Rectangle(dc, 700, 500, 805, 610));
    EXPECT_EQ(GetPixel(dc, 750, 550), Fill);
    EXPECT_EQ(GetPixel(dc, 799, 599), Fill); // the border lies beyond the surface
}

TEST_P(ShapeTest, EllipseIsFilledAndOutlinedInsideItsBox) {
    ASSERT_TRUE(Ellipse(dc, 100, 100, 141, 121));
    EXPECT_EQ(GetPixel(dc, 120, 110), Fill);
    EXPECT_EQ(GetPixel(dc, 100, 110), Ink); // the left end of the outline
    EXPECT_EQ(GetPixel(dc, 120, 100), Ink);
    EXPECT_EQ(GetPixel(dc, 101, 101), Ground); // corners of the box stay clear
    EXPECT_EQ(GetPixel(dc, 139, 119), Ground);
    EXPECT_EQ(GetPixel(dc, 143, 110), Ground);
}

TEST_P(ShapeTest, LineToStartsFromTheOriginOfAFreshContextAndMovesOn) {
    ASSERT_TRUE(LineTo(dc, 100, 100));
    EXPECT_EQ(GetPixel(dc, 50, 50), Ink);
    EXPECT_EQ(GetPixel(dc, 50, 40), Ground);
    POINT previous{};
    ASSERT_TRUE(MoveToEx(dc, 10, 300, &previous));
    EXPECT_EQ(previous.x, 100);
    EXPECT_EQ(previous.y, 100);
    ASSERT_TRUE(LineTo(dc, 60, 300));
    EXPECT_EQ(GetPixel(dc, 30, 300), Ink);
    EXPECT_EQ(GetPixel(dc, 30, 303), Ground);
    EXPECT_EQ(GetPixel(dc, 30, 200), Ground); // no brush fill under a line
}

TEST_P(ShapeTest, PolygonAndPieFillTheirInsides) {
    const POINT triangle[] = {{200, 200}, {260, 200}, {200, 260}};
    ASSERT_TRUE(Polygon(dc, triangle, 3));
    EXPECT_EQ(GetPixel(dc, 215, 215), Fill);
    EXPECT_EQ(GetPixel(dc, 250, 250), Ground);
    EXPECT_EQ(GetPixel(dc, 230, 200), Ink);
    // From the top counter-clockwise to the bottom: the left half of the circle.
    ASSERT_TRUE(Pie(dc, 300, 300, 401, 401, 350, 300, 350, 400));
    EXPECT_EQ(GetPixel(dc, 320, 350), Fill);
    EXPECT_EQ(GetPixel(dc, 380, 350), Ground);
}

INSTANTIATE_TEST_SUITE_P(Depths, ShapeTest, testing::Values(8, 16, 24, 32));

} // namespace
