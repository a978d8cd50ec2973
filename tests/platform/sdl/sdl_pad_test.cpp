// Pads on the sdl backend: SDL's virtual joysticks, one with a game-controller mapping (SDL gives
// its virtual controllers one) and one without, read through joyGetPosEx and in a whole game.
#include "sdl_game_fixture.h"

#include <functional>

#include "app/globals.h"
#include "game/pub_screen.h"
#include "platform/joystick_api.h"

namespace {

// SDL's mapping of its virtual controllers: buttons A B X Y, back, guide, start, the sticks,
// the shoulders, then the directional pad; axes: left x and y first.
constexpr int kA = 0, kB = 1, kStart = 6, kLeftShoulder = 9, kDpadUp = 11, kDpadDown = 12;

int fullMugs() {
    int count = 0;
    for (const Mug& mug : pubScreen.mugs) count += mug.full != 0 && mug.x > 1 ? 1 : 0;
    return count;
}

// What holds each of the game's controls on a pad.
struct PadControls {
    std::function<void(bool)> up, down, pour;
};

class Pad : public DesktopGame {
protected:
    void SetUp() override {
        DesktopGame::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "a real pad is joystick 0 here";
    }
    void TearDown() override {
        DesktopGame::TearDown(); // the backend lets go of the pad first
        if (device_ != nullptr) SDL_JoystickClose(device_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    void attach(bool mapped) {
        index_ = mapped ? SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0)
                        : SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 1);
        ASSERT_EQ(index_, 0) << SDL_GetError();
        device_ = SDL_JoystickOpen(index_);
        ASSERT_NE(device_, nullptr);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0);
        EXPECT_EQ(SDL_IsGameController(index_) == SDL_TRUE, mapped);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    void button(int which, bool down) { SDL_JoystickSetVirtualButton(device_, which, down ? 1 : 0); }
    void axis(int which, Sint16 value) { SDL_JoystickSetVirtualAxis(device_, which, value); }
    void hat(Uint8 value) { SDL_JoystickSetVirtualHat(device_, 0, value); }

    JOYINFOEX read() {
        JOYINFOEX info{};
        info.dwSize = sizeof info;
        info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
        EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
        return info;
    }

    void playOnThePad(const PadControls& pad);

    int index_ = -1;
    SDL_Joystick* device_ = nullptr;
};

TEST_F(Pad, AMappedPadReadsItsLeftStickDirectionalPadAndFaceButtons) {
    attach(true);
    EXPECT_EQ(read().dwYpos, 32768u);
    axis(1, 32767);
    EXPECT_EQ(read().dwYpos, 65535u) << "the left stick down";
    button(kDpadUp, true);
    EXPECT_EQ(read().dwYpos, 0u) << "the directional pad's up beats the stick";
    button(kDpadUp, false);
    axis(1, 0);
    button(kDpadDown, true);
    EXPECT_EQ(read().dwYpos, 65535u);
    button(kDpadDown, false);

    button(kA, true);
    JOYINFOEX info = read();
    EXPECT_EQ(info.dwButtons, 1u) << "the south face button is button 1";
    EXPECT_EQ(info.dwButtonNumber, 1u);
    button(kLeftShoulder, true);
    button(kStart, true);
    EXPECT_EQ(read().dwButtonNumber, 1u) << "only the face buttons count";
    button(kB, true);
    info = read();
    EXPECT_EQ(info.dwButtons, 3u);
    EXPECT_EQ(info.dwButtonNumber, 2u);

    JOYCAPSA caps{};
    ASSERT_EQ(joyGetDevCapsA(JOYSTICKID1, &caps, sizeof caps), JOYERR_NOERROR);
    EXPECT_EQ(caps.wNumButtons, 4u);
}

TEST_F(Pad, WithoutAMappingThePadIsARawJoystick) {
    attach(false);
    hat(SDL_HAT_UP);
    EXPECT_EQ(read().dwYpos, 0u);
    hat(SDL_HAT_CENTERED);
    axis(1, 32767);
    EXPECT_EQ(read().dwYpos, 65535u);
    button(3, true);
    JOYINFOEX info = read();
    EXPECT_EQ(info.dwButtons, 8u) << "every button counts, in its own place";
    EXPECT_EQ(info.dwButtonNumber, 1u);
}

// A whole game on the pad: up one bar, down one bar, then a pour with button 1. Each step holds
// its control until the game has answered it, then lets go and waits for the move's sound.
void Pad::playOnThePad(const PadControls& pad) {
    int startBar = -1, afterUp = -1, afterDown = -1;
    bool poured = false;
    int mugsBefore = 0;
    int step = 0;
    runProgram(
        [&](int frame) {
            onIntoPlay(frame);
            if (app.screen() != SCREEN_PLAY) return;
            const int bar = gameVars.bartenderBar;
            const bool resting = !pubScreen.moveSound.isPlaying();
            switch (step) {
            case 0:
                startBar = bar;
                pad.up(true);
                step = 1;
                break;
            case 1:
                if (bar == startBar) break;
                afterUp = bar;
                pad.up(false);
                step = 2;
                break;
            case 2:
                if (!resting) break;
                pad.down(true);
                step = 3;
                break;
            case 3:
                if (bar == afterUp) break;
                afterDown = bar;
                pad.down(false);
                step = 4;
                break;
            case 4:
                if (!resting) break;
                mugsBefore = fullMugs();
                pad.pour(true);
                step = 5;
                break;
            case 5:
                // The pour ends with a full mug on the bar.
                if (fullMugs() == mugsBefore) break;
                poured = true;
                pad.pour(false);
                PostMessageA(app.window, WM_CLOSE, 0, 0);
                step = 6;
                break;
            default:
                break;
            }
        },
        900);
    EXPECT_EQ(afterUp, startBar <= 1 ? 3 : startBar - 1);
    EXPECT_EQ(afterDown, startBar);
    EXPECT_TRUE(poured);
}

TEST_F(Pad, AWholeGameOnAMappedPad) {
    attach(true);
    playOnThePad({[&](bool on) { button(kDpadUp, on); }, [&](bool on) { axis(1, on ? 32767 : 0); },
                  [&](bool on) { button(kA, on); }});
}

TEST_F(Pad, AWholeGameOnARawJoystick) {
    attach(false);
    playOnThePad({[&](bool on) { hat(on ? SDL_HAT_UP : SDL_HAT_CENTERED); }, [&](bool on) { axis(1, on ? 32767 : 0); },
                  [&](bool on) { button(0, on); }});
}

} // namespace
