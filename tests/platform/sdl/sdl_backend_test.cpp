// The desktop backend on SDL's dummy video and audio drivers: no display or sound card needed.
// Where no audio output opens, a silent one takes its place.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/system.h"
#include "platform/dsound.h"
#include "platform/headless.h"
#include "platform/target_backend.h"
#include "platform/window.h"

namespace {

using namespace platform;

class SdlBackend : public testing::Test {
protected:
    void SetUp() override {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        useTargetBackend();
    }
    void TearDown() override { useHeadless(); }
};

TEST_F(SdlBackend, AStaticBufferIsMixedAndLastsItsLengthWhetherOrNotAnAudioOutputOpens) {
    const std::string recorded = testing::TempDir() + "brannoc-audio.raw";
    struct Output {
        const char* driver;
        const char* file; // where SDL's disk driver writes the samples it is handed
        bool opens;       // false: the silent output stands in
    };
    for (const Output output :
         {Output{"dummy", "", true}, Output{"nosuchdriver", "", false},
          Output{"disk", "/nonexistent/brannoc/audio.raw", false}, Output{"disk", recorded.c_str(), true}}) {
        SCOPED_TRACE(output.driver);
        SDL_setenv("SDL_AUDIODRIVER", output.driver, 1);
        SDL_setenv("SDL_DISKAUDIOFILE", output.file, 1);
        if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        testing::internal::CaptureStderr();
        IDirectSound* sound = nullptr;
        ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
        sound->Release();
        ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
        // Said once where the silent output stands in (SDL's disk driver says where it writes).
        const std::string said = testing::internal::GetCapturedStderr();
        const auto silent = said.find("no audio output; playing silent\n");
        EXPECT_EQ(silent != std::string::npos, !output.opens);
        EXPECT_EQ(said.find("no audio output", silent + 1), std::string::npos) << "said once";

        // Half a second at an odd rate, so that the device converts it.
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0};
        DSBUFFERDESC desc{20, DSBCAPS_STATIC, 5513, 0, &format};
        IDirectSoundBuffer* buffer = nullptr;
        ASSERT_EQ(sound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        void* region = nullptr;
        DWORD length = 0;
        ASSERT_EQ(buffer->Lock(0, 5513, &region, &length, nullptr, nullptr, 0), DS_OK);
        std::memset(region, 0xC0, length);
        buffer->Unlock(region, length, nullptr, 0);

        // Another buffer let go first leaves the mixer to the rest.
        IDirectSoundBuffer* other = nullptr;
        ASSERT_EQ(sound->CreateSoundBuffer(&desc, &other, nullptr), DS_OK);
        other->Release();

        ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
        const auto started = std::chrono::steady_clock::now();
        DWORD status = 0;
        buffer->GetStatus(&status);
        EXPECT_EQ(status, DSBSTATUS_PLAYING);
        const auto giveUp = started + std::chrono::seconds(5);
        while ((status & DSBSTATUS_PLAYING) != 0 && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            buffer->GetStatus(&status);
        }
        EXPECT_EQ(status, 0u) << "the mixer reached the last sample";
        EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(450)) << "it took its length";
        buffer->Release(); // while the device still runs
        sound->Release();
        if (output.opens && output.file[0] != 0) {
            // 0xC0 in an unsigned 8-bit recording is half way up; read as signed, half way down.
            // The device takes 16-bit stereo at 44,100 a second: half a second is 44,100 samples,
            // handed over once.
            std::ifstream file(recorded, std::ios::binary);
            std::int16_t sample = 0;
            int halfUp = 0;
            while (file.read(reinterpret_cast<char*>(&sample), sizeof sample)) {
                halfUp += sample >= 16000 && sample <= 16800 ? 1 : 0;
            }
            EXPECT_NEAR(halfUp, 44100, 500);
            std::remove(recorded.c_str());
        }
    }
}

LRESULT quiet(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A key press from the desktop, and every message it brings dispatched.
void pressKey(SDL_Scancode key, Uint16 modifiers) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = key;
    event.key.keysym.mod = modifiers;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
}

HWND showGameWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &quiet;
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(133));
    windowClass.lpszClassName = "Brannoc";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "Brannoc", "Brannoc", WS_POPUPWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr) ShowWindow(window, SW_SHOW);
    return window;
}

TEST_F(SdlBackend, TheWindowGoesFullScreenAndPresents) {
    HWND window = showGameWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(sys::isActive());
    int bits = backend().desktopBits();
    EXPECT_TRUE(bits == 8 || bits == 16 || bits == 24 || bits == 32) << bits;
    ASSERT_TRUE(sys::enterFullscreen(window));
    std::vector<std::uint32_t> frame(800 * 600, 0x00FF8000);
    backend().present(frame.data(), 800, 600, 800 * 4);
    backend().present(frame.data(), 800, 600, 800 * 4);
    sys::leaveFullscreen();
    // F4 alone is a key like any other; with Alt held, the default window procedure closes.
    pressKey(SDL_SCANCODE_F4, KMOD_NONE);
    EXPECT_EQ(sys::gameWindow(), window);
    pressKey(SDL_SCANCODE_F4, KMOD_LALT);
    EXPECT_EQ(sys::gameWindow(), nullptr);
    // Presenting with the window gone does nothing but wait its turn.
    backend().present(frame.data(), 800, 600, 800 * 4);
}

// A device that takes no samples (a page whose audio the browser holds back) still lets a sound
// end in its own time: a little after its length, never for ever.
TEST_F(SdlBackend, ASoundEndsInItsOwnTimeOnADeviceThatTakesNothing) {
    IDirectSound* sound = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    for (SDL_AudioDeviceID id = 1; id < 16; ++id) SDL_PauseAudioDevice(id, 1);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0};
    DSBUFFERDESC desc{20, DSBCAPS_STATIC, 2205, 0, &format}; // a fifth of a second
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(sound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    const auto started = std::chrono::steady_clock::now();
    DWORD status = DSBSTATUS_PLAYING;
    while ((status & DSBSTATUS_PLAYING) != 0 && std::chrono::steady_clock::now() < started + std::chrono::seconds(5)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        buffer->GetStatus(&status);
    }
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(status, 0u);
    EXPECT_GE(took, std::chrono::milliseconds(200));
    EXPECT_LT(took, std::chrono::seconds(1));
    buffer->Release();
    sound->Release();
}

// A device that keeps asking for its next buffer too late goes dry: the output moves to a larger
// buffer, once, says so once, and the sound playing through it goes on to its end.
TEST_F(SdlBackend, AStarvingDeviceMovesOnceToALargerBuffer) {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO); // on the dummy driver
    IDirectSound* sound = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0};
    DSBUFFERDESC desc{20, DSBCAPS_STATIC, 5512, 0, &format}; // half a second
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(sound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    // Past the device's start, whose asks are not watched.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    // Held, the device's lock keeps its thread from mixing: the next ask comes far too late.
    const auto starve = [] {
        for (SDL_AudioDeviceID id = 1; id < 16; ++id) SDL_LockAudioDevice(id);
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        for (SDL_AudioDeviceID id = 1; id < 16; ++id) SDL_UnlockAudioDevice(id);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    };
    testing::internal::CaptureStderr();
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    DWORD status = 0;
    for (int i = 0; i < 3; ++i) {
        starve();
        buffer->GetStatus(&status);
    }
    const auto started = std::chrono::steady_clock::now();
    while ((status & DSBSTATUS_PLAYING) != 0 && std::chrono::steady_clock::now() < started + std::chrono::seconds(5)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        buffer->GetStatus(&status);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    // SDL's dummy driver, which sleeps whole milliseconds a buffer, takes 20 ms buffers.
    const std::string moved = "sound output starved at 882 frames a buffer; moving to 1024\n";
    const auto at = said.find(moved);
    ASSERT_NE(at, std::string::npos) << said;
    EXPECT_EQ(said.find("starved", at + moved.size()), std::string::npos) << "said once: " << said;
    EXPECT_EQ(status, 0u) << "the sound went on to its end";
    buffer->Release();
    sound->Release();
}

TEST_F(SdlBackend, TheTerminalClosingClosesTheWindow) {
#ifndef SIGHUP
    GTEST_SKIP() << "Windows has no hang-up: a windowed program hears the session's end as SDL's quit";
#else
    HWND window = showGameWindow();
    ASSERT_NE(window, nullptr);
    std::raise(SIGHUP);
    int closes = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        closes += msg.message == WM_CLOSE ? 1 : 0;
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(sys::gameWindow(), nullptr);
#endif
}

} // namespace
