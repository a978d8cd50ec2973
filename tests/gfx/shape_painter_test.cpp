// The shape painter: the rectangle and its 2-pixel border, runs of pixels and the integer line.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "gfx/shape_painter.h"
#include "test_display.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kFill = RGB(0, 0, 255);
constexpr COLORREF kPen = RGB(255, 255, 0);

using Points = std::vector<std::pair<int, int>>;

class ShapePainterTest : public testing::TestWithParam<int> {
protected:
    ShapePainterTest() : screen(GetParam()) { shapes.attach(&screen.display); }

    // The lit pixels of the top-left 16 by 16 corner, row by row; the screen is cleared after.
    Points lit() {
        const std::vector<COLORREF> area = screen.pixels(0, 0, 16, 16);
        Points out;
        for (std::size_t i = 0; i < area.size(); ++i) {
            if (area[i] != 0) {
                out.emplace_back(static_cast<int>(i % 16), static_cast<int>(i / 16));
            }
        }
        screen.clear();
        return out;
    }

    TestDisplay screen;
    ShapePainter shapes;
};

TEST_P(ShapePainterTest, EqualColoursFillOneSolidBlock) {
    shapes.fillRect(100, 100, 110, 106, kWhite, kWhite);
    // The 2-pixel pen reaches one pixel beyond left and top and stops short of right and bottom.
    for (int y = 97; y < 109; ++y) {
        for (int x = 97; x < 113; ++x) {
            const bool inside = x >= 99 && x < 110 && y >= 99 && y < 106;
            EXPECT_EQ(screen.pixel(x, y), inside ? kWhite : 0) << x << "," << y;
        }
    }
}

TEST_P(ShapePainterTest, DifferentColoursGiveATwoPixelBorder) {
    shapes.fillRect(200, 200, 220, 210, kFill, kPen);
    const std::vector<COLORREF> diagonal = {screen.pixel(198, 198), screen.pixel(199, 199), screen.pixel(200, 200),
                                            screen.pixel(201, 201), screen.pixel(217, 207), screen.pixel(218, 208),
                                            screen.pixel(219, 209), screen.pixel(220, 210)};
    EXPECT_EQ(diagonal, (std::vector<COLORREF>{0, kPen, kPen, kFill, kFill, kPen, kPen, 0}));
}

TEST_P(ShapePainterTest, RunsIncludeBothEndsAndNothingWhenInverted) {
    shapes.vLine(3, 3, 2, kWhite);
    EXPECT_EQ(lit(), (Points{{2, 3}}));
    shapes.vLine(5, 4, 2, kWhite);
    shapes.hLine(4, 3, 1, kWhite);
    EXPECT_EQ(lit(), Points{});
    shapes.hLine(2, 4, 1, kWhite);
    EXPECT_EQ(lit(), (Points{{2, 1}, {3, 1}, {4, 1}}));
}

TEST_P(ShapePainterTest, LinesSetExactlyTheStepsPixels) {
    shapes.line(0, 10, 0, 0, kWhite);
    Points upward;
    for (int y = 0; y <= 10; ++y) {
        upward.emplace_back(0, y);
    }
    EXPECT_EQ(lit(), upward);
    shapes.line(0, 0, 3, 3, kWhite);
    EXPECT_EQ(lit(), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    shapes.line(0, 0, 10, 5, kWhite);
    EXPECT_EQ(lit(), (Points{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 2}, {6, 2}, {7, 3}, {8, 3}, {9, 4}, {10, 4}}));
    // A steep line steps sideways at once.
    shapes.line(0, 0, 1, 3, kWhite);
    EXPECT_EQ(lit(), (Points{{0, 0}, {1, 1}, {1, 2}, {1, 3}}));
}

TEST_P(ShapePainterTest, LineToStartsFromTheCornerEveryTime) {
    shapes.lineTo(100, 100, kFill, kPen);
    shapes.lineTo(100, 0, kFill, kPen);
    EXPECT_EQ(screen.pixel(50, 50), kPen);
    EXPECT_EQ(screen.pixel(50, 0), kPen);
    EXPECT_EQ(screen.pixel(100, 50), 0u) << "not from where the first line ended";
}

INSTANTIATE_TEST_SUITE_P(Depths, ShapePainterTest, testing::Values(16, 32),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

} // namespace
