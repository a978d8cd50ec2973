// Whole games from the entry point: through the title and the help page into play, with keys
// scripted frame by frame from what the pub shows, a fixed seed, and a frame every 16.7 ms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "bmp_image.h"
#include "frame_region.h"
#include "game/pub_screen.h"
#include "hud_panel.h"
#include "picture_folder.h"
#include "platform/dinput.h"
#include "program_run.h"

namespace {

namespace hl = platform::headless;

constexpr int servedWave = 125;
constexpr int breakWave = 123;
constexpr int catchWave = 124;
constexpr int roundWave = 126;
constexpr int reachedWave = 128;
constexpr int gameOverWave = 129;

// The play frames of one scenario. Each call sees the frame just shown and sets the keys for
// the next; it returns true once the scenario has seen what it came for.
using PlayScript = std::function<bool(int playFrame)>;

class PlayScenario : public testing::Test {
protected:
    void SetUp() override {
        platform::HeadlessOptions options;
        options.msPerFlip = 16.7;
        options.calendarTime = 1'700'000'000;
        hl::reset(options);
    }

    // Runs the program to its end; false when the script never finished.
    bool play(const PlayScript& script, int playFrameLimit = 8000) {
        bool finished = false;
        bool ending = false;
        int playFrames = 0;
        const ProgramRun run = runProgram(
            [&](int) {
                if (ending) {
                    return;
                }
                if (app.screen() != SCREEN_PLAY) {
                    hl::pressKey(DIK_A); // any key moves the front screens on
                    return;
                }
                if (playFrames == 0) {
                    soundsBeforePlay = hl::soundLog().size();
                }
                ++playFrames;
                finished = script(playFrames);
                if (finished || playFrames >= playFrameLimit) {
                    pressEscape();
                    ending = true;
                }
            },
            // The front screens' frames on top of the play frames.
            playFrameLimit + 1000);
        exitCode = run.exitCode;
        return finished;
    }

    int playSounds(int waveId) const {
        const std::vector<int>& log = hl::soundLog();
        const auto from = log.begin() + static_cast<std::ptrdiff_t>(std::min(soundsBeforePlay, log.size()));
        return static_cast<int>(std::count(from, log.end(), waveId));
    }

    std::size_t soundsBeforePlay = 0;
    int exitCode = -1;
};

const Customer& firstCustomer() { return pubScreen.customers[0]; }

// Holds down until the bartender stands at the bar; true once he does.
bool walkTo(int bar) {
    const bool there = gameVars.bartenderBar == bar;
    hl::setKeyDown(DIK_DOWN, !there);
    return there;
}

// Space for exactly one frame.
void tapSpace() { hl::setKeyDown(DIK_SPACE, true); }

void releaseSpace() { hl::setKeyDown(DIK_SPACE, false); }

// A rectangle of the frame just shown, 0x00RRGGBB.
std::vector<std::uint32_t> shownRegion(int left, int top, int right, int bottom) {
    return frameRegion(hl::lastPresented(), left, top, right, bottom);
}

// The same rectangle of the back buffer, as GDI reports it, turned into 0x00RRGGBB.
std::vector<std::uint32_t> backRegion(int left, int top, int right, int bottom) {
    std::vector<std::uint32_t> region;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const COLORREF c = app.shapes.getPixel(x, y);
            region.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
        }
    }
    return region;
}

// The panel as the pen draws it for these figures, on the back buffer (cleared before the next
// frame), against the panel of the frame just shown.
bool panelShows(const char* score, const char* level, const char* lives) {
    drawHudPanel(score, level, lives);
    return backRegion(713, 8, 790, 140) == shownRegion(713, 8, 790, 140);
}

// The game-over box as shown: a white outline around black, lit only on its three lines and the
// taunt's, each in the figures' green.
bool boxShows(int tauntY) {
    const std::vector<std::uint32_t> box = shownRegion(200, 200, 600, 400);
    bool shows = box[100 * 400] == 0xFFFFFF && box[100 * 400 + 399] == 0xFFFFFF && box[200] == 0xFFFFFF &&
                 box[199 * 400 + 200] == 0xFFFFFF;
    std::set<int> greenLines;
    for (int y = 202; y < 398; ++y) {
        const int line = y >= tauntY && y < tauntY + 18               ? tauntY
                         : y >= 230 && y < 308 && (y - 230) % 30 < 18 ? y - (y - 230) % 30
                                                                      : 0;
        const auto from = box.begin() + (y - 200) * 400 + 2;
        const auto to = from + 396;
        if (line == 0 && std::any_of(from, to, [](std::uint32_t p) { return p != 0; })) {
            ADD_FAILURE() << "row " << y << " lit off the lines";
            shows = false;
        }
        if (std::find(from, to, 0x7BD222u) != to) {
            greenLines.insert(line);
        }
    }
    return shows && greenLines == std::set<int>{230, 260, 290, tauntY};
}

} // namespace

TEST_F(PlayScenario, CustomerServedAndPushedOutThenRoundTwo) {
    bool poured = false;
    bool panelChecked = false;
    int scoredAtFrame = 0;
    const bool finished = play([&](int frame) {
        releaseSpace();
        if (pubScreen.score == 0) {
            EXPECT_EQ(gameVars.lives, 3) << "frame " << frame;
            const Customer& c = firstCustomer();
            if (walkTo(barOf(c.y)) && !poured && c.x <= 600) {
                tapSpace();
                poured = true;
            }
            return false;
        }
        if (scoredAtFrame == 0) {
            scoredAtFrame = frame;
            EXPECT_EQ(firstCustomer().x, 0);
            EXPECT_EQ(pubScreen.clearedCount, 1);
            panelChecked = panelShows("1", "1", "3");
            EXPECT_FALSE(panelShows("0", "1", "3"));
            return false;
        }
        // The frame after he left completes the round.
        EXPECT_EQ(frame, scoredAtFrame + 1);
        EXPECT_EQ(gameVars.level, 2);
        EXPECT_EQ(gameVars.round, 2);
        EXPECT_EQ(gameVars.customerCount, 2);
        EXPECT_EQ(gameVars.bartenderPose, 4);
        EXPECT_TRUE(panelShows("1", "2", "3"));
        return true;
    });
    ASSERT_TRUE(finished);
    EXPECT_TRUE(panelChecked);
    EXPECT_EQ(pubScreen.score, 1);
    EXPECT_EQ(playSounds(servedWave), 1);
    EXPECT_EQ(playSounds(roundWave), 1);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(PlayScenario, CustomerReachingTheBartenderCostsALife) {
    const bool finished = play([&](int) {
        if (gameVars.lives == 3) {
            return false;
        }
        EXPECT_EQ(gameVars.lives, 2);
        EXPECT_EQ(gameVars.bartenderPose, 3);
        EXPECT_GE(firstCustomer().x, 699); // back behind his door
        EXPECT_TRUE(panelShows("0", "1", "2"));
        return true;
    });
    ASSERT_TRUE(finished);
    EXPECT_EQ(playSounds(reachedWave), 1);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(PlayScenario, FullMugBreaksAtTheFarEnd) {
    bool poured = false;
    int emptyBar = 0;
    int mugLastSeen = 0;
    const bool finished = play([&](int) {
        releaseSpace();
        if (gameVars.lives == 3) {
            if (emptyBar == 0) {
                emptyBar = barOf(firstCustomer().y) == 1 ? 2 : 1;
            }
            if (poured) {
                if (lastMug == 1) {
                    mugLastSeen = pubScreen.mugs[1].x;
                }
            } else if (walkTo(emptyBar)) {
                tapSpace();
                poured = true;
            }
            return false;
        }
        EXPECT_EQ(gameVars.lives, 2);
        EXPECT_EQ(lastMug, 0);
        return true;
    });
    ASSERT_TRUE(finished);
    const int farLimit = emptyBar == 1 ? 620 : 640;
    EXPECT_GT(mugLastSeen, farLimit - 2);
    EXPECT_LE(mugLastSeen, farLimit);
    EXPECT_EQ(playSounds(breakWave), 1);
    EXPECT_EQ(playSounds(reachedWave), 0);
}

TEST_F(PlayScenario, EmptyMugSentBackIsCaught) {
    bool poured = false;
    int customerBar = 0;
    const bool finished = play([&](int) {
        releaseSpace();
        EXPECT_EQ(gameVars.lives, 3);
        const Customer& c = firstCustomer();
        if (customerBar == 0) {
            customerBar = barOf(c.y);
        }
        // Served late, he finishes his drink short of the door and sends the mug back.
        if (walkTo(customerBar) && !poured && c.x <= 380) {
            tapSpace();
            poured = true;
        }
        return playSounds(catchWave) == 1;
    });
    ASSERT_TRUE(finished);
    EXPECT_EQ(gameVars.lives, 3);
    EXPECT_EQ(pubScreen.score, 0);
    EXPECT_EQ(playSounds(breakWave), 0);
}

TEST_F(PlayScenario, AFloorLargerThanThePubIsReadOnceForAllItsRepairs) {
    // Its draw fails in every frame and repairs the sprite from the file.
    const PictureFolder pictures;
    ASSERT_TRUE(
        writeBmp(pictures.picture("floor.bmp"), 1600, 1200, [](int x, int y) { return RGB(x & 0xFF, y & 0xFF, 90); }));
    PictureFolder::settle(pictures.picture("floor.bmp"));
    const bool finished = play([&](int frame) {
        EXPECT_EQ(pubScreen.floorSprite.width, 1600);
        return frame == 120;
    });
    EXPECT_TRUE(finished);
    EXPECT_EQ(pictureReads("bmps/floor.bmp"), 1);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(PlayScenario, GameOverBoxThenEnterStartsANewGame) {
    bool boxSeen = false;
    bool restarted = false;
    const bool finished = play(
        [&](int) {
            if (!boxSeen && pubScreen.tauntChosen == 0) {
                return false; // let the customers through
            }
            if (!boxSeen) {
                // The frame after the last life went: the box shows for the first time.
                boxSeen = true;
                EXPECT_EQ(gameVars.lives, 0);
                EXPECT_EQ(playSounds(gameOverWave), 1);
                EXPECT_TRUE(boxShows(pubScreen.taunt == 1 ? 380 : 360));
                EXPECT_TRUE(panelShows("0", "1", "0"));
                hl::setKeyDown(DIK_RETURN, true);
                return false;
            }
            if (!restarted) {
                hl::setKeyDown(DIK_RETURN, false);
                restarted = true;
                EXPECT_EQ(gameVars.lives, 3);
                EXPECT_EQ(gameVars.level, 1);
                EXPECT_EQ(pubScreen.score, 0);
                EXPECT_EQ(pubScreen.tauntChosen, 0);
                EXPECT_TRUE(panelShows("0", "1", "3"));
                return false;
            }
            // The new game goes on: the customer walks again.
            EXPECT_EQ(gameVars.lives, 3);
            return firstCustomer().x < 650;
        },
        12000);
    ASSERT_TRUE(finished);
    EXPECT_EQ(playSounds(reachedWave), 3);
    EXPECT_EQ(playSounds(gameOverWave), 1);
    EXPECT_EQ(exitCode, 0);
}
