// The title sequence in ticked frames: the reveal, the bursts and their fires, the typing and the
// cursor, checked against its timeline on what is shown and heard.
#include <algorithm>
#include <array>
#include <ostream>
#include <set>

#include "gfx/fonts.h"
#include "picture_folder.h"
#include "screen_fixture.h"
#include "screens/help_screen.h"
#include "screens/title_screen.h"

namespace {

using platform::headless::soundLog;

constexpr int blastWave = 131;
constexpr int letterWave = 125;
constexpr double msPerTick = 16.0; // about the window timer's pace

struct SequenceState {
    std::int32_t titleStep, phaseTicks, revealWidth, burstFrame, fireCount, letterCount, cursorTicks;
    bool stepping, bursting, typing, cursorHidden;
    std::array<std::int32_t, TitleScreen::maxFires> fireFrames;

    static SequenceState now() {
        SequenceState s{::titleStep,   ::phaseTicks, ::revealWidth, ::burstFrame, ::fireCount,    ::letterCount,
                        ::cursorTicks, ::stepping,   ::bursting,    ::typing,     ::cursorHidden, {}};
        for (int i = 0; i < TitleScreen::maxFires; ++i) {
            s.fireFrames[i] = titleScreen.fires[i].frame;
        }
        return s;
    }
    bool operator==(const SequenceState&) const = default;

    // A failure names the fields (the frames of the fires in use, in order).
    friend void PrintTo(const SequenceState& s, std::ostream* os) {
        *os << "{titleStep " << s.titleStep << ", phaseTicks " << s.phaseTicks << ", revealWidth " << s.revealWidth
            << ", burstFrame " << s.burstFrame << ", fireCount " << s.fireCount << ", letterCount " << s.letterCount
            << ", cursorTicks " << s.cursorTicks << ", stepping " << s.stepping << ", bursting " << s.bursting
            << ", typing " << s.typing << ", cursorHidden " << s.cursorHidden << ", fire frames";
        for (int i = 0; i < std::clamp(s.fireCount, 0, TitleScreen::maxFires); ++i) {
            *os << ' ' << s.fireFrames[i];
        }
        *os << '}';
    }
};

// The timeline, by ticked frame T (1 for the first).
std::int32_t revealAfter(int t) {
    constexpr std::int32_t widths[] = {95, 173, 247, 291, 370, 448, 538};
    if (t < 12) {
        return 0;
    }
    if (t >= 54) {
        return 760;
    }
    return widths[(t - 12) / 6];
}

int firesAddedAt(int t) {
    if (t >= 12 && t <= 17) {
        return 4;
    }
    if (t >= 18 && t <= 47) {
        return 3;
    }
    if (t == 48) {
        return 8; // two bursts
    }
    if (t >= 49 && t <= 53) {
        return 4;
    }
    return 0;
}

std::int32_t stepAfter(int t) { return t < 6 ? -1 : std::min(7, (t - 6) / 6); }

// Each position restarts the explosion at frame 1; the last position bursts twice at once.
std::int32_t burstFrameAfter(int t) {
    if (t < 6) {
        return 0;
    }
    if (t >= 48) {
        return std::min(t, 53) - 46;
    }
    return (t - 6) % 6 + 1;
}

std::int32_t lettersAfter(int t) { return t < 58 ? -1 : std::min(18, (t - 58) / 5); }

bool burstsAt(int t) { return t >= 6 && t <= 53; }

// Shown for 3 ticks, hidden for 3, from the first frame.
bool cursorShownAfter(int ticks) { return (ticks / 3) % 2 == 0; }

int plays(int id) {
    const std::vector<int>& log = soundLog();
    return static_cast<int>(std::count(log.begin(), log.end(), id));
}

class TitleSequenceTest : public ScreenFixture {
protected:
    void start(bool soundDevice) {
        startDisplay(soundDevice);
        titleScreen = TitleScreen{};
        resetTitleState();
        titleScreen.load();
        ASSERT_EQ(soundAvailable, soundDevice);
        ASSERT_EQ(titleScreen.blastSound.buffer != nullptr, soundDevice);
        ASSERT_EQ(titleScreen.letterSound.buffer != nullptr, soundDevice);
    }

    void TearDown() override {
        titleScreen.teardown();
        helpScreen.teardown();
        app.releaseDisplay();
    }

    void frame(bool tick) {
        if (tick) {
            app.countTick();
            platform::headless::advanceMs(msPerTick);
        }
        showFrame([] { titleScreen.frame(); });
    }

    // Where the explosion's hot centre lands on screen for the current position.
    static std::uint32_t explosionCentre() { return shown(revealWidth + 90, 272); }

    static constexpr std::uint32_t flashGrey = 0xD2D2D2;

    static bool cursorShown() {
        const std::uint32_t p = shown(letterCount * 13 + 34, 380);
        return p != black && p != flashGrey;
    }

    static bool flashShown() { return shown(799, 0) == flashGrey; }

    // The rightmost pixel lit in rows [top, bottom), or -1.
    static int rightmostLit(int top, int bottom) {
        int rightmost = -1;
        for (int y = top; y < bottom; ++y) {
            for (int x = rightmost + 1; x < 800; ++x) {
                if (shown(x, y) != black) {
                    rightmost = x;
                }
            }
        }
        return rightmost;
    }

    // In a frame without an explosion: the sign ends at its reveal width, the text line after
    // its last letter shown, and the cursor, when shown, stands after that letter.
    static void expectSignLettersAndCursor() {
        // Below the fires, the sign alone.
        const int signEdge = rightmostLit(257, 306);
        EXPECT_LT(signEdge, 20 + revealWidth);
        if (revealWidth == 760) {
            EXPECT_GT(signEdge, 20 + 538) << "more than the last step showed";
        } else if (revealWidth > 0) {
            EXPECT_GE(signEdge, 20 + revealWidth - 10);
        }
        const int letters = std::max(letterCount, 0);
        const int lineEdge = rightmostLit(370, 394);
        if (cursorHidden) {
            EXPECT_LT(lineEdge, 30 + letters * 13);
            if (letters > 1) { // of two cells, one at least holds a letter rather than a space
                EXPECT_GE(lineEdge, 30 + (letters - 2) * 13);
            }
        } else {
            EXPECT_GE(lineEdge, letterCount * 13 + 28);
            EXPECT_LT(lineEdge, letterCount * 13 + 41);
        }
    }

    // Nothing outside the cursor cell at (15, 372).
    static bool onlyCursorShown() {
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                const bool inCursor = x >= 15 && x < 28 && y >= 372 && y < 392;
                if (!inCursor && shown(x, y) != black) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST_F(TitleSequenceTest, FollowsItsTimelineTickByTick) {
    ASSERT_NO_FATAL_FAILURE(start(true));
    int fires = 0;
    for (int t = 1; t <= 160; ++t) {
        SCOPED_TRACE(testing::Message() << "T " << t);

        // A frame without a tick changes nothing and draws no explosion.
        const SequenceState before = SequenceState::now();
        frame(false);
        EXPECT_EQ(SequenceState::now(), before);
        EXPECT_EQ(cursorShown(), cursorShownAfter(t - 1));
        if (t > 6 && t <= 54) {
            EXPECT_EQ(explosionCentre(), black);
        }
        if (fireCount > 0) { // the rows above the sign hold fires alone
            EXPECT_NE(rightmostLit(167, 200), -1) << "the fires burn in a frame without a tick";
        }
        expectSignLettersAndCursor();

        frame(true);
        fires += firesAddedAt(t);
        for (int i = fires - firesAddedAt(t); i < fires; ++i) { // started at 0 to 30, one tick on
            EXPECT_TRUE(titleScreen.fires[i].frame >= 1 && titleScreen.fires[i].frame <= 31) << "fire " << i;
        }
        EXPECT_EQ(titleStep, stepAfter(t));
        EXPECT_EQ(burstFrame, burstFrameAfter(t));
        EXPECT_EQ(revealWidth, revealAfter(t));
        EXPECT_EQ(fireCount, fires);
        EXPECT_EQ(letterCount, lettersAfter(t));
        EXPECT_EQ(bursting, t >= 6 && t < 54);
        EXPECT_EQ(typing, t >= 54 && t < 148);
        EXPECT_EQ(stepping, t < 54);
        EXPECT_EQ(cursorShown(), cursorShownAfter(t - 1));
        if (burstsAt(t)) {
            EXPECT_NE(explosionCentre(), black);
        }
        if (t <= 5) {
            EXPECT_TRUE(onlyCursorShown());
        }
        if (t == 53) {
            // Each fire starts at a random frame: the four of one burst flicker out of step.
            const std::set<std::int32_t> frames{titleScreen.fires[138].frame, titleScreen.fires[139].frame,
                                                titleScreen.fires[140].frame, titleScreen.fires[141].frame};
            EXPECT_GT(frames.size(), 1u);
        }
        if (t == 54) {
            EXPECT_EQ(phaseTicks, 1) << "the typing already counts the tick that starts it";
        }
        EXPECT_EQ(plays(letterWave), lettersAfter(t) + 1);
    }
    EXPECT_EQ(fireCount, 142);
    EXPECT_EQ(plays(letterWave), 19);
}

TEST_F(TitleSequenceTest, TheExplosionAndTheFiresGoBackToTheirFirstFrames) {
    ASSERT_NO_FATAL_FAILURE(start(true)); // the blast plays on: no flash after the first burst
    for (int n = 1; n <= 11; ++n) {
        showFrame([] { titleScreen.burst(); });
        EXPECT_EQ(burstFrame, n % 10) << "burst " << n;
        EXPECT_NE(explosionCentre(), black) << "burst " << n;
    }
    // A fire shows its frames 0 to 32, then 0 again.
    fireCount = 1;
    titleScreen.fires[0] = Fire{100, 100, 31};
    for (int next : {32, 0, 1}) {
        app.countTick();
        showFrame([] { titleScreen.drawFires(); });
        EXPECT_EQ(titleScreen.fires[0].frame, next);
    }
}

TEST_F(TitleSequenceTest, TheSignsRepairsAfterItsEmptyDrawsReadNoFileAgain) {
    const PictureFolder pictures;
    ASSERT_NO_FATAL_FAILURE(start(true));
    for (int t = 1; t <= 160; ++t) {
        frame(true);
    }
    for (const char* name : {"bmps/klosed.bmp", "bmps/explosion.bmp", "bmps/fire.bmp"}) {
        EXPECT_EQ(pictureReads(name), 1) << name;
    }
}

TEST_F(TitleSequenceTest, TheBlastFlashesWheneverItStartsAgain) {
    ASSERT_NO_FATAL_FAILURE(start(true));
    int flashes = 0;
    for (int t = 1; t <= 60; ++t) {
        const int blasts = plays(blastWave);
        frame(true);
        const bool started = plays(blastWave) > blasts;
        EXPECT_EQ(flashShown(), started) << "T " << t;
        flashes += started ? 1 : 0;
    }
    // The blast lasts longer than a tick, so it restarts only now and then.
    EXPECT_GE(flashes, 2);
    EXPECT_LT(flashes, 49);
}

TEST_F(TitleSequenceTest, TeardownReleasesEachSoundOnceAndClearsIt) {
    ASSERT_NO_FATAL_FAILURE(start(true));
    platform::headless::clearTrace();
    titleScreen.teardown();
    titleScreen.teardown();
    const auto& trace = platform::headless::trace();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), std::string("IDirectSoundBuffer::Release")), 2);
}

TEST_F(TitleSequenceTest, WithoutSoundEveryBurstFlashes) {
    ASSERT_NO_FATAL_FAILURE(start(false));
    int flashes = 0;
    for (int t = 1; t <= 60; ++t) {
        frame(true);
        EXPECT_EQ(flashShown(), burstsAt(t)) << "T " << t;
        flashes += flashShown() ? 1 : 0;
    }
    EXPECT_EQ(flashes, 48); // 49 bursts: two of them in the frame of T 48
    EXPECT_TRUE(soundLog().empty());
    EXPECT_EQ(fireCount, 142);
}

TEST_F(TitleSequenceTest, AKeyDuringTheExplosionsLeavesTheBlastPlayingIntoHelp) {
    ASSERT_NO_FATAL_FAILURE(start(true));
    helpFont = makeFont("Arial", 20);
    helpScreen = HelpScreen{};
    helpScreen.load();
    for (int t = 1; t <= 7; ++t) {
        frameDispatch(app.screen());
        app.countTick();
        platform::headless::advanceMs(msPerTick);
    }
    ASSERT_TRUE(titleScreen.blastSound.isPlaying());
    const SequenceState atKey = SequenceState::now();

    platform::headless::pressKey(DIK_SPACE);
    handleMessages();
    ASSERT_EQ(app.screen(), SCREEN_HELP);
    for (int i = 0; i < 3; ++i) {
        platform::headless::advanceMs(100.0); // still within the blast's 0.38 s
        showFrame([] { frameDispatch(app.screen()); });
    }
    EXPECT_TRUE(titleScreen.blastSound.isPlaying());
    EXPECT_EQ(SequenceState::now(), atKey) << "the title is not run again";
    EXPECT_EQ(plays(blastWave), 1);
}

} // namespace
