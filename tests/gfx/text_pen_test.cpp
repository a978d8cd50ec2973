// The text pen: its defaults, empty text, and formatted text printed whole.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "gfx/text_pen.h"
#include "test_display.h"

namespace {

class TextPenTest : public testing::Test {
protected:
    TextPenTest() : screen(32) { pen.init(&screen.display); }
    // The game keeps its pen's fonts for good; each test makes its own, so it gives them back.
    ~TextPenTest() override {
        DeleteObject(reinterpret_cast<HGDIOBJ>(pen.font));
        DeleteObject(reinterpret_cast<HGDIOBJ>(pen.altFont));
    }

    std::vector<COLORREF> shown() const { return screen.pixels(0, 0, 800, 600); }
    // What the pen leaves on a cleared screen.
    template <typename Draw>
    std::vector<COLORREF> drawn(Draw draw) {
        screen.clear();
        draw();
        return shown();
    }

    TestDisplay screen;
    TextPen pen;
};

TEST_F(TextPenTest, DefaultsAreRedOnAlmostBlackInThirteenPixelArial) {
    const auto& trace = platform::headless::trace();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "CreateFontA Arial 13"), 2) << "plain and underlined";
    pen.print("MW", 100, 100);
    const std::vector<COLORREF> cell = screen.pixels(100, 100, 110, 113);
    EXPECT_TRUE(std::all_of(cell.begin(), cell.end(), [](COLORREF c) { return c == 0x0000FF || c == 0x000001; }))
        << "text and background only, no smoothing";
    EXPECT_GT(std::count(cell.begin(), cell.end(), 0x0000FFu), 10);
    EXPECT_EQ(screen.pixel(100, 112), 0x000001u);
    EXPECT_EQ(screen.pixel(100, 113), 0u) << "the cell is 13 pixels high";
    EXPECT_EQ(screen.pixel(99, 105), 0u) << "and starts at x";
}

TEST_F(TextPenTest, AnEmptyStringDrawsNothing) {
    const std::vector<COLORREF> after = drawn([&] {
        pen.print("", 10, 10);
        pen.printf(10, 10, "%s", "");
    });
    EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](COLORREF c) { return c == 0; }));
}

TEST_F(TextPenTest, FormattedTextIsPrintedWhole) {
    const auto score = drawn([&] { pen.printf(725, 35, "%d", 123456); });
    EXPECT_EQ(score, drawn([&] { pen.print("123456", 725, 35); }));
    EXPECT_NE(score, drawn([&] { pen.print("12345", 725, 35); }));

    // Far longer than any fixed guess at a buffer; the box clips it to its first line.
    const std::string line(3000, '8');
    EXPECT_EQ(drawn([&] { pen.printf(0, 300, "%s%d", line.c_str(), 7); }),
              drawn([&] { pen.print((line + "7").c_str(), 0, 300); }));
    EXPECT_EQ(drawn([&] { pen.printfBox(0, 0, 90, 20, "%s%d", line.c_str(), 7); }),
              drawn([&] { pen.printBox((line + "7").c_str(), 0, 0, 90, 20); }));
    EXPECT_EQ(screen.pixel(90, 5), 0u);
}

} // namespace
