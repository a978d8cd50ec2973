// The page of controls and credits as shown: the panel, the keyed logo, the control lines in
// black cells and the credits on the box's own colour; without its logo the page still stands.
#include <filesystem>

#include "gfx/fonts.h"
#include "gfx/gdi_object.h"
#include "screen_fixture.h"
#include "screens/help_screen.h"

namespace {

// Shown colours, 0x00RRGGBB.
constexpr std::uint32_t textColour = 0x17F52B;
constexpr std::uint32_t panelFill = 0x702810;
constexpr std::uint32_t panelOutline = 0xBFC0C0;
constexpr std::uint32_t creditsFill = 0x1002CA;
constexpr std::uint32_t creditsOutline = 0x86CBA5;
constexpr std::uint32_t white = 0xFFFFFF;
constexpr COLORREF logoKey = 0x00FFC411;

struct Rect {
    int left, top, right, bottom;
};

class HelpPageTest : public ScreenFixture {
protected:
    void SetUp() override { startDisplay(true); }

    void TearDown() override {
        helpScreen.teardown();
        app.releaseDisplay();
        if (!home.empty()) {
            std::filesystem::current_path(home);
        }
    }

    void load() {
        helpFont = makeFont("Arial", 20);
        helpScreen = HelpScreen{};
        helpScreen.load();
    }

    // Drawn over white rather than black, so that the text cells show where they lie.
    void showOverWhite() {
        app.refreshTickFlag();
        app.shapes.fillRect(0, 0, 800, 600, 0xFFFFFF, 0xFFFFFF);
        helpScreen.frame();
        app.flip();
    }

    static int countIn(const Rect& r, std::uint32_t colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                n += shown(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

    static bool onlyColours(const Rect& r, std::uint32_t a, std::uint32_t b) {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (shown(x, y) != a && shown(x, y) != b) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << shown(x, y);
                    return false;
                }
            }
        }
        return true;
    }

    void expectPanelAndTexts() {
        // Panel: a 2-pixel outline around its fill.
        EXPECT_EQ(shown(99, 300), panelOutline);
        EXPECT_EQ(shown(100, 300), panelOutline);
        EXPECT_EQ(shown(101, 300), panelFill);
        EXPECT_EQ(shown(699, 300), panelOutline);
        EXPECT_EQ(shown(700, 300), white);
        EXPECT_EQ(shown(400, 49), panelOutline);
        EXPECT_EQ(shown(400, 399), panelOutline);
        EXPECT_EQ(shown(400, 400), white);

        // Control lines: black cells 20 pixels high from x 20, the text in green on them.
        for (int y : {460, 480, 500, 520}) {
            SCOPED_TRACE(testing::Message() << "control line at y " << y);
            EXPECT_EQ(shown(19, y + 10), white);
            int right = 20;
            while (right < 489 && shown(right, y) != white) {
                ++right;
            }
            EXPECT_GT(right, 250) << "a line of over forty characters";
            EXPECT_LT(right, 489) << "clear of the credits box";
            EXPECT_TRUE(onlyColours({20, y, right, y + 20}, black, textColour));
            EXPECT_GT(countIn({20, y, right, y + 20}, textColour), 100);
        }

        // Credits box: its outline whole, and inside only its fill and the text.
        for (int y : {460, 480, 500, 520}) {
            EXPECT_EQ(shown(489, y), creditsOutline);
            EXPECT_EQ(shown(688, y), creditsOutline) << "no credit line runs over the box's edge";
            EXPECT_EQ(shown(689, y), creditsOutline);
            EXPECT_EQ(shown(690, y), white);
        }
        const Rect inside{491, 451, 688, 528};
        EXPECT_TRUE(onlyColours(inside, creditsFill, textColour));
        for (int y : {460, 480, 500}) {
            EXPECT_GT(countIn({500, y, 688, y + 20}, textColour), 50) << "credit line at y " << y;
        }
    }

    std::filesystem::path home;
};

TEST_F(HelpPageTest, PanelLogoControlsAndCreditsInTheirColours) {
    load();
    ASSERT_NE(helpScreen.logoSprite.surface, nullptr);
    showOverWhite();
    expectPanelAndTexts();

    // The logo over the panel: its key colour lets the panel through, everything else is the logo.
    HBITMAP logo = LoadImageA(nullptr, "bmps\\vantor.bmp", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
    ASSERT_NE(logo, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, gdiObject(logo));
    int keyed = 0;
    int mismatches = 0;
    for (int y = 0; y < helpScreen.logoSprite.height; ++y) {
        for (int x = 0; x < helpScreen.logoSprite.width; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            const std::uint32_t expected =
                c == logoKey ? panelFill : (GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
            keyed += c == logoKey ? 1 : 0;
            mismatches += shown(200 + x, 55 + y) == expected ? 0 : 1;
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(gdiObject(logo));
    EXPECT_GT(keyed, 0);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(HelpPageTest, WithoutTheLogoFileTheRestIsStillDrawn) {
    // A working directory without bmps/.
    home = std::filesystem::current_path();
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "brannoc-help-no-logo";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    load();
    EXPECT_EQ(helpScreen.logoSprite.surface, nullptr);

    showOverWhite();
    expectPanelAndTexts();
    EXPECT_TRUE(onlyColours({101, 51, 698, 398}, panelFill, panelFill)) << "an empty panel";
}

TEST_F(HelpPageTest, EveryFrameIsTheSame) {
    load();
    showOverWhite();
    const std::vector<std::uint32_t> first = platform::headless::lastPresented();
    for (int i = 0; i < 5; ++i) {
        app.countTick();
        showOverWhite();
    }
    EXPECT_EQ(platform::headless::lastPresented(), first);
}

} // namespace
