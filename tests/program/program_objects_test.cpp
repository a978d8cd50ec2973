// The long-lived objects come up before the window in their fixed order and go down in the reverse
// one: sprites and sounds before the display and sound device that made them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "game/game_vars.h"
#include "game/pub_screen.h"
#include "program_run.h"
#include "screens/title_screen.h"

namespace {

namespace headless = platform::headless;

std::vector<std::string> only(const std::vector<std::string>& events) {
    std::vector<std::string> kept;
    for (const auto& event : headless::trace()) {
        if (std::find(events.begin(), events.end(), event) != events.end()) {
            kept.push_back(event);
        }
    }
    return kept;
}

// The program taken into play and closed at its first frame; with `traceFromThere`, the trace
// keeps only what came after that frame.
void runIntoPlayAndEnd(bool traceFromThere) {
    platform::HeadlessOptions options;
    options.msPerFlip = 1000.0 / 60.0;
    headless::reset(options);
    runProgram([traceFromThere](int frame) {
        if (frame == 1) {
            if (traceFromThere) {
                headless::clearTrace();
            }
            app.setScreen(SCREEN_PLAY);
            pressEscape();
        }
    });
}

TEST(ProgramObjects, ComeUpInOrderBeforeTheWindow) {
    runIntoPlayAndEnd(false);
    const std::vector<std::string> expected = {"WSAStartup",           "CreateFontA Arial 18", "WSAStartup",
                                               "CreateFontA Arial 20", "WSAStartup",           "WSAStartup",
                                               "WSAStartup",           "CreateWindowExA"};
    EXPECT_EQ(only({"WSAStartup", "CreateFontA Arial 18", "CreateFontA Arial 20", "CreateWindowExA"}), expected);
}

TEST(ProgramObjects, GoDownWithEverySpriteAndSoundBeforeTheDisplay) {
    runIntoPlayAndEnd(true);
    const auto& trace = headless::trace();
    const auto position = [&](const std::string& event) {
        return std::find(trace.begin(), trace.end(), event) - trace.begin();
    };
    // Play's nine sounds and four pictures, help's picture, the title's two sounds and three
    // pictures, then the back buffer, the primary and the display; the sound device outlives them.
    const std::string sound = "IDirectSoundBuffer::Release";
    const std::string picture = "IDirectDrawSurface::Release";
    std::vector<std::string> expected(9, sound);
    expected.insert(expected.end(), 5, picture);
    expected.insert(expected.end(), 2, sound);
    expected.insert(expected.end(), 5, picture);
    expected.push_back("IDirectDraw::Release");
    EXPECT_EQ(only({sound, picture, "IDirectDraw::Release", "IDirectSound::Release"}), expected);
    // The fifth session goes first, the other four after the display.
    EXPECT_LT(position("WSACleanup"), position("IDirectSoundBuffer::Release"));
    const std::vector<std::string> endings = only({"WSACleanup", "IDirectDraw::Release"});
    EXPECT_EQ(endings, (std::vector<std::string>{"WSACleanup", "IDirectDraw::Release", "WSACleanup", "WSACleanup",
                                                 "WSACleanup", "WSACleanup"}));
    EXPECT_EQ(joystick.position.dwSize, 0u) << "the joystick record is wiped";
}

// The title's whole reveal.
auto titleState() {
    return std::tuple{titleStep,  stepping,  bursting,    typing,       phaseTicks, revealWidth,
                      burstFrame, fireCount, letterCount, cursorHidden, cursorTicks};
}

// A program run again in the same process starts from a fresh game, not where the last one ended.
TEST(ProgramObjects, ASecondRunStartsAFreshGame) {
    runIntoPlayAndEnd(false);
    const auto firstTitle = titleState();
    gameVars.level = 5;
    gameVars.lives = 1;
    gameVars.bartenderBar = 3;
    pubScreen.score = 9;
    lastMug = 7;
    titleStep = 6;
    for (std::int32_t* count : {&phaseTicks, &revealWidth, &burstFrame, &fireCount, &letterCount, &cursorTicks})
        *count += 3;
    for (bool* flag : {&stepping, &bursting, &typing, &cursorHidden}) *flag = !*flag;
    runIntoPlayAndEnd(false);
    EXPECT_EQ(gameVars.level, 1);
    EXPECT_EQ(gameVars.lives, 3);
    EXPECT_EQ(gameVars.bartenderBar, 1);
    EXPECT_EQ(pubScreen.score, 0);
    EXPECT_EQ(lastMug, 0);
    EXPECT_EQ(titleState(), firstTitle);
}

} // namespace
