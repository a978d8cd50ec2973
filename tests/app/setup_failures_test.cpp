// Every set-up failure shows its own box, releases what it made and ends the program with 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "program_run.h"
#include "sound/sound_effect.h"

namespace {

using platform::Fault;
namespace headless = platform::headless;

int count(const std::string& event) {
    const auto& trace = headless::trace();
    return static_cast<int>(std::count(trace.begin(), trace.end(), event));
}

int indexOf(const std::string& event) {
    const auto& trace = headless::trace();
    auto found = std::find(trace.begin(), trace.end(), event);
    return found == trace.end() ? -1 : static_cast<int>(found - trace.begin());
}

struct SetupFailure {
    Fault fault;
    const char* text; // nullptr: no box
    const char* caption;
    int ddrawReleases;   // the display object released exactly this often
    int surfaceReleases; // surfaces freed (the primary takes its attached back buffer along)
};

class SetupFailureTest : public testing::TestWithParam<SetupFailure> {
protected:
    void SetUp() override { headless::reset(); }
};

TEST_P(SetupFailureTest, ShowsItsBoxAndEndsBeforeAnyFrame) {
    const SetupFailure& failure = GetParam();
    headless::injectFault(failure.fault);
    ProgramRun run = runProgram([](int) { ADD_FAILURE() << "no frame may run"; });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(headless::presentedCount(), 0);
    const auto& boxes = headless::messageBoxes();
    if (failure.text == nullptr) {
        EXPECT_TRUE(boxes.empty());
    } else {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, failure.text);
        EXPECT_EQ(boxes[0].caption, failure.caption);
        EXPECT_EQ(boxes[0].type & 0xF0u, MB_ICONERROR);
    }
    EXPECT_EQ(count("IDirectDraw::Release"), failure.ddrawReleases);
    EXPECT_EQ(count("IDirectDrawSurface::Release"), failure.surfaceReleases);
    EXPECT_EQ(count("IDirectSoundBuffer::Release"), 0) << "no sound was made yet";
    // The long-lived objects still go down in full.
    EXPECT_EQ(count("WSACleanup"), 5);
}

std::string stepName(const testing::TestParamInfo<SetupFailure>& info) {
    static const char* const names[] = {
        "Window", "DisplayObject", "CooperativeLevel", "DisplayMode", "PrimarySurface", "BackBuffer", "Cursor"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, SetupFailureTest,
    testing::Values(
        SetupFailure{Fault::CreateWindow, nullptr, "", 0, 0},
        SetupFailure{Fault::DirectDrawCreate, "Couldnt Create DirectX Object! Error: Terminating!", "Error!!!", 0, 0},
        SetupFailure{Fault::SetCooperativeLevel, "Couldnt Set Cooperative Level, Fatal Error Aborting", "Error", 1, 0},
        SetupFailure{Fault::SetDisplayMode, "Error Setting Display Mode", "", 1, 0},
        SetupFailure{Fault::CreateSurface, "Couldnt Set Surfaces! Fatal Error! DirectX is jacked Man",
                     "Broken Software :(", 1, 0},
        SetupFailure{Fault::GetAttachedSurface, "Couldnt Set Surfaces! Fatal Error! DirectX is jacked Man",
                     "Broken Software :(", 1, 2},
        SetupFailure{Fault::LoadCursor, nullptr, "", 1, 2}),
    stepName);

TEST(SetupFailureOrder, TheFailedDisplayClosesTheWindowAndQueuesQuit) {
    headless::reset();
    headless::injectFault(Fault::DirectDrawCreate);
    runProgram([](int) {});
    MSG msg;
    bool quitQueued = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        quitQueued = quitQueued || msg.message == WM_QUIT;
    }
    EXPECT_TRUE(quitQueued);
}

TEST(SetupFailureOrder, CooperativeLevelReleasesTheDisplayBeforeItsBoxAndDisplayModeAfter) {
    headless::reset();
    headless::injectFault(Fault::SetCooperativeLevel);
    runProgram([](int) {});
    EXPECT_LT(indexOf("IDirectDraw::Release"), indexOf("MessageBoxA"));

    headless::reset();
    headless::injectFault(Fault::SetDisplayMode);
    runProgram([](int) {});
    EXPECT_GT(indexOf("IDirectDraw::Release"), indexOf("MessageBoxA"));
}

// Enter on the title, a pour, then out with Escape: whether the pub was reached.
bool playsIntoThePub(ProgramRun& run) {
    bool played = false;
    run = runProgram([&](int frame) {
        if (frame == 2 || frame == 3) {
            headless::pressKey(DIK_RETURN);
        }
        if (frame == 4 || frame == 8) {
            headless::setKeyDown(DIK_SPACE, frame == 4);
        }
        if (frame == 30) {
            played = app.screen() == SCREEN_PLAY;
            pressEscape();
        }
    });
    return played;
}

TEST(SetupFailureOrder, WithoutASoundDeviceTheGamePlaysSilently) {
    platform::HeadlessOptions options;
    options.soundDevice = false;
    options.msPerFlip = 1000.0 / 60.0;
    headless::reset(options);
    ProgramRun run;
    EXPECT_TRUE(playsIntoThePub(run));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(soundAvailable);
    EXPECT_TRUE(headless::messageBoxes().empty());
    EXPECT_TRUE(headless::soundLog().empty());
}

// A device that refuses its set-up is let go, once, and the game plays as if there were none.
TEST(SetupFailureOrder, ASoundDeviceThatRefusesItsSetUpIsLetGo) {
    for (const Fault fault : {Fault::SoundCooperativeLevel, Fault::CreatePrimarySoundBuffer}) {
        SCOPED_TRACE(static_cast<int>(fault));
        platform::HeadlessOptions options;
        options.msPerFlip = 1000.0 / 60.0;
        headless::reset(options);
        headless::injectFault(fault);
        ProgramRun run;
        EXPECT_TRUE(playsIntoThePub(run));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_FALSE(soundAvailable);
        EXPECT_EQ(app.dsound, nullptr);
        EXPECT_EQ(count("IDirectSound::Release"), 1);
        EXPECT_TRUE(headless::messageBoxes().empty());
        EXPECT_TRUE(headless::soundLog().empty());
    }
}

// Without a keyboard no key is ever down, and the game still runs until its window is closed.
TEST(SetupFailureOrder, WithoutAKeyboardTheGameStillRuns) {
    for (const Fault fault : {Fault::DirectInputCreate, Fault::CreateKeyboardDevice}) {
        SCOPED_TRACE(static_cast<int>(fault));
        headless::reset();
        headless::injectFault(fault);
        ProgramRun run = runProgram([](int) {}, 30);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_GE(headless::presentedCount(), 30);
        EXPECT_EQ(app.keyboard, nullptr);
        EXPECT_TRUE(headless::messageBoxes().empty());
    }
}

TEST(SetupFailureOrder, AFailedWinsockStartShowsFiveBoxesAndNoFrame) {
    headless::reset();
    headless::injectFault(Fault::WSAStartup);
    ProgramRun run = runProgram([](int) { ADD_FAILURE() << "no frame may run"; });
    EXPECT_EQ(run.exitCode, 0);
    const auto& boxes = headless::messageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.text, "Error Couldnt Init Winsock!");
        EXPECT_EQ(box.caption, "Aborting");
        EXPECT_EQ(box.type & 0xF0u, MB_ICONINFORMATION);
    }
    EXPECT_EQ(headless::presentedCount(), 0);
    EXPECT_EQ(count("CreateWindowExA"), 1) << "the window is still made first";
}

} // namespace
