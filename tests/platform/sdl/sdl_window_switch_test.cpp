// Alt+Enter: full screen to a window and back, with the game running on where it was.
#include "sdl_game_fixture.h"

#include <string>

#include "desktop_controls.h"
#include "game/pub_screen.h"
#include "platform/dinput.h"

namespace {

struct Shown {
    bool fullscreen = false;
    bool resizable = false;
    bool pointerShown = true;
    int x = 0, y = 0, width = 0, height = 0;
    std::string title;
};

Shown shown(SDL_Window* window) {
    Shown s;
    Uint32 flags = SDL_GetWindowFlags(window);
    s.fullscreen = (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
    s.resizable = (flags & SDL_WINDOW_RESIZABLE) != 0;
    s.pointerShown = SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
    SDL_GetWindowPosition(window, &s.x, &s.y);
    SDL_GetWindowSize(window, &s.width, &s.height);
    s.title = SDL_GetWindowTitle(window);
    return s;
}

// Takes the pending desktop events in (switching, where Alt+Enter is among them) and looks for a
// key message among what they brought.
bool keyMessageQueued() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) != FALSE;
}

bool lost(IDirectDrawSurface* surface) { return surface == nullptr || surface->IsLost() != DD_OK; }

using AltEnter = DesktopGame;

// No key message comes of Alt+Enter, and the title screen stays where it was. In play, the frame count runs on by one a frame through both switches: nothing restarted, no
// frame skipped, and the flip chain was never lost.
TEST_F(AltEnter, TwiceReturnsToFullScreenWithTheGameWhereItWas) {
    SDL_Rect usable{};
    std::vector<Shown> seen;
    std::vector<ScreenId> titleAfter;
    int keyMessages = 0;
    int inactiveFrames = 0;
    int lostFrames = 0;
    int playFrames = 0;
    int firstCount = -1;
    int lastCount = -1;
    IDirectDrawSurface* primary = nullptr;
    const ProgramRun run = runProgram(
        [&](int frame) {
            if (app.active == 0) ++inactiveFrames;
            if (lost(app.display.primary) || lost(app.display.backBuffer)) ++lostFrames;
            SDL_Window* window = gameWindow();
            if (window == nullptr) return;
            switch (frame) {
            case 10:
                SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window), &usable);
                seen.push_back(shown(window));
                pressKey(SDL_SCANCODE_RETURN, KMOD_LALT);
                keyMessages += keyMessageQueued() ? 1 : 0;
                return;
            case 11:
                pressKey(SDL_SCANCODE_RETURN, KMOD_LALT, true); // held on: it switched once
                return;
            case 13:
                seen.push_back(shown(window));
                titleAfter.push_back(app.screen());
                pressKey(SDL_SCANCODE_KP_ENTER, KMOD_RALT);
                keyMessages += keyMessageQueued() ? 1 : 0;
                return;
            case 16:
                seen.push_back(shown(window));
                titleAfter.push_back(app.screen());
                return;
            default:
                break;
            }
            if (frame < 20) return;
            onIntoPlay(frame);
            if (app.screen() != SCREEN_PLAY) return;
            ++playFrames;
            if (playFrames == 1) {
                firstCount = pubScreen.frameCount;
                primary = app.display.primary;
            }
            if (playFrames == 5 || playFrames == 10) pressKey(SDL_SCANCODE_RETURN, KMOD_LALT);
            if (playFrames == 15) {
                seen.push_back(shown(window));
                lastCount = pubScreen.frameCount;
                EXPECT_EQ(app.display.primary, primary) << "the same flip chain";
                PostMessageA(app.window, WM_CLOSE, 0, 0);
            }
        },
        600);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_TRUE(seen[0].fullscreen);
    // In a window: the largest whole multiple of 800 by 600 that fits the usable area, centred.
    const int factor = std::max(1, std::min(usable.w / 800, usable.h / 600));
    EXPECT_FALSE(seen[1].fullscreen);
    EXPECT_TRUE(seen[1].resizable);
    EXPECT_EQ(seen[1].width, 800 * factor);
    EXPECT_EQ(seen[1].height, 600 * factor);
    EXPECT_EQ(seen[1].x, usable.x + (usable.w - seen[1].width) / 2);
    EXPECT_EQ(seen[1].y, usable.y + (usable.h - seen[1].height) / 2);
    EXPECT_EQ(seen[1].title, "Brannoc");
    EXPECT_TRUE(seen[2].fullscreen) << "the keypad's Enter with the right Alt switches too";
    EXPECT_TRUE(seen[3].fullscreen);
    for (const Shown& s : seen) EXPECT_FALSE(s.pointerShown) << "the pointer is hidden over the game, in a window too";
    EXPECT_EQ(keyMessages, 0) << "Alt+Enter is the desktop's, not a key of the game's";
    EXPECT_EQ(titleAfter, (std::vector<ScreenId>{SCREEN_TITLE, SCREEN_TITLE}));
    EXPECT_EQ(lastCount - firstCount, 14);
    EXPECT_EQ(inactiveFrames, 0);
    EXPECT_EQ(lostFrames, 0);
}

// The Enter of Alt+Enter is the desktop's: at the game-over box the switch there and back leaves
// the box up, and once it was let go a plain Enter plays again.
TEST_F(AltEnter, AtTheGameOverBoxLeavesTheBoxUp) {
    // Alt and Enter held down together, or let go, as the desktop's keyboard reports them.
    const auto holdAltEnter = [](bool down) {
        desktop::setKeyDown(DIK_LMENU, down);
        desktop::setKeyDown(DIK_RETURN, down);
        pressKey(SDL_SCANCODE_RETURN, KMOD_LALT, false, !down);
    };
    std::vector<Shown> seen;
    std::vector<bool> boxUp;
    int boxFrame = 0;
    runProgram(
        [&](int frame) {
            onIntoPlay(frame);
            if (app.screen() != SCREEN_PLAY) return;
            if (boxFrame == 0) {
                gameVars.lives = 0;
                if (pubScreen.tauntChosen != 0) boxFrame = frame;
                return;
            }
            const int since = frame - boxFrame;
            if (since == 1 || since == 6) holdAltEnter(true);
            if (since == 5 || since == 10) {
                seen.push_back(shown(gameWindow()));
                boxUp.push_back(pubScreen.tauntChosen != 0 && gameVars.lives == 0);
                holdAltEnter(false);
            }
            if (since == 12) desktop::setKeyDown(DIK_RETURN, true);
            if (since == 14) {
                boxUp.push_back(pubScreen.tauntChosen != 0);
                desktop::setKeyDown(DIK_RETURN, false);
                PostMessageA(app.window, WM_CLOSE, 0, 0);
            }
        },
        600);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(seen[0].fullscreen);
    EXPECT_TRUE(seen[1].fullscreen);
    EXPECT_EQ(boxUp, (std::vector<bool>{true, true, false}));
    // The desktop's game keeps no records for tests, however many sounds it starts.
    EXPECT_TRUE(platform::headless::trace().empty());
    EXPECT_TRUE(platform::headless::soundLog().empty());
}

} // namespace

namespace {

void pushFocus(SDL_Window* window, Uint8 change) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(window);
    event.window.event = change;
    SDL_PushEvent(&event);
}

// In the window, losing focus loses no surface, so every frame in play is shown (full screen,
// the flip that finds them lost shows nothing).
TEST_F(AltEnter, InAWindowLosingFocusLosesNoFrame) {
    int playFrames = 0;
    int firstCount = -1;
    int lastCount = -1;
    runProgram(
        [&](int frame) {
            onIntoPlay(frame);
            if (app.screen() != SCREEN_PLAY) return;
            ++playFrames;
            if (playFrames == 1) pressKey(SDL_SCANCODE_RETURN, KMOD_LALT);
            if (playFrames == 5) {
                firstCount = pubScreen.frameCount;
                pushFocus(gameWindow(), SDL_WINDOWEVENT_FOCUS_LOST);
                pushFocus(gameWindow(), SDL_WINDOWEVENT_FOCUS_GAINED);
            }
            if (playFrames == 10) {
                lastCount = pubScreen.frameCount;
                PostMessageA(app.window, WM_CLOSE, 0, 0);
            }
        },
        600);
    EXPECT_EQ(lastCount - firstCount, 5);
}

} // namespace
