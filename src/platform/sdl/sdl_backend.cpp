// The desktop backend: an SDL window, renderer, keyboard, joystick and audio device.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "platform/clock/cycle_counter.h"
#include "platform/core/backend.h"
#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/ddraw/pixel_format.h"
#include "platform/dsound/sound_output.h"
#include "platform/input/scan_codes.h"
#include "platform/sdl/sdl_events.h"
#include "platform/present/frame_pacer.h"
#include "platform/sdl/sdl_init.h"
#include "platform/sdl/sdl_joystick.h"
#include "platform/desktop/sdl_presenter.h"
#include "platform/desktop/sdl_window_modes.h"
#include "platform/window/icon.h"
#include "platform/winsock/socket_events.h"

namespace platform {

namespace {

// While sockets are watched, the wait alternates between them and the desktop in slices this long.
constexpr int kSocketSliceMs = 10;
// With the display's refresh pacing the frames, a frame may go this much before its slot.
constexpr std::int64_t kVsyncSlackNs = 2'000'000;

SDL_Window* nativeOf(WindowObject& window) { return static_cast<SDL_Window*>(window.native); }

int msCeil(std::int64_t ns) { return static_cast<int>((ns + 999'999) / 1'000'000); }

class SdlBackend final : public Backend {
public:
    SdlBackend() {
        // Events first: SIGINT, SIGTERM and SIGHUP then arrive as quit events that become WM_CLOSE.
        if (sdl::ensureSubsystem(SDL_INIT_EVENTS)) closeOnHangUp();
    }

    bool headless() const override { return false; }
    bool hasDisplay() override { return sdl::ensureDisplay(); }

    void pumpEvents() override {
        pumpSdlEvents([this](const SDL_Event& event) {
            if (!isSwitchKey(event)) return false;
            if (event.key.repeat == 0) switchPending_ = true;
            switchEnter_ = event.key.keysym.scancode;
            return true;
        });
        if (switchPending_) switchFullscreen();
    }

    bool waitForEvents(std::int64_t timeoutNs, bool socketsWatched) override {
        if (!socketsWatched) {
            waitForSdlEvent(timeoutNs < 0 ? -1 : msCeil(timeoutNs));
            return true;
        }
        std::int64_t endNs = timeoutNs < 0 ? -1 : nowNs() + timeoutNs;
        for (;;) {
            if (socket_events::wait(0)) return true;
            int slice = kSocketSliceMs;
            if (endNs >= 0) {
                std::int64_t left = endNs - nowNs();
                if (left <= 0) return true;
                slice = std::min(slice, msCeil(left));
            }
            if (waitForSdlEvent(slice)) return true;
        }
    }

    bool createWindow(WindowObject& window) override {
        // Without a display the window still exists; the display service then reports the failure.
        if (!sdl::ensureDisplay()) return true;
        // Resizable for when Alt+Enter puts the game in a window; full screen does not mind.
        SDL_Window* native = SDL_CreateWindow(window.title.c_str(), 0, 0, window.width, window.height,
                                              SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
        if (native == nullptr) return true;
        if (window.icon != nullptr && window.icon->picture != nullptr) SDL_SetWindowIcon(native, window.icon->picture);
        window.native = native;
        return true;
    }

    void showWindow(WindowObject& window) override {
        if (SDL_Window* native = nativeOf(window)) {
            SDL_ShowWindow(native);
            SDL_RaiseWindow(native);
        }
    }

    void destroyWindow(WindowObject& window) override {
        if (SDL_Window* native = nativeOf(window)) {
            presenter_.detach();
            SDL_DestroyWindow(native);
            window.native = nullptr;
        }
    }

    bool enterFullscreen(WindowObject& window) override {
        SDL_Window* native = nativeOf(window);
        if (native == nullptr || !showFullscreen(native)) return false;
        window.windowed = false;
        presenter_.attach(native, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        return true;
    }

    void leaveFullscreen(WindowObject& window) override {
        if (SDL_Window* native = nativeOf(window)) SDL_SetWindowFullscreen(native, 0);
    }

    void present(const std::uint32_t* pixels, int width, int height, int pitchBytes) override {
        if (!presenter_.attached()) {
            WindowObject* window = sys::gameWindow();
            if (window != nullptr && window->native != nullptr)
                presenter_.attach(nativeOf(*window), SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        }
        presenter_.show(pixels, width, height, pitchBytes);
        // Paced even when nothing could be shown, so that the loop never spins.
        pacer_.wait(nowNs(), presenter_.vsync() ? kVsyncSlackNs : 0);
        countPresented();
    }

    int desktopBits() override {
        SDL_DisplayMode mode;
        if (!sdl::ensureDisplay() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
        return pixels::desktopBitsFor(mode.format);
    }

    void showMessageBox(const char* text, const char* caption, UINT type) override {
        showSdlMessageBox(text, caption, (type & 0xF0) == 0x10);
    }

    void setCursorVisible(bool visible) override {
        if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }

    POINT cursorPos() override {
        int x = 0, y = 0;
        if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_GetGlobalMouseState(&x, &y);
        return POINT{x, y};
    }

    bool keyDown(int scanCode) override {
        int sdlCode = keys::sdlScancodeFor(scanCode);
        bool down = sdlCode != 0 && SDL_GetKeyboardState(nullptr)[sdlCode] != 0;
        // The Enter of Alt+Enter is the desktop's until it has been let go.
        if (sdlCode != 0 && sdlCode == switchEnter_) {
            if (down) return false;
            switchEnter_ = SDL_SCANCODE_UNKNOWN;
        }
        return down;
    }

    UINT joystickPosition(JoystickReading& reading) override { return joystick_.position(reading); }
    UINT joystickCaps(JoystickLimits& limits) override { return joystick_.caps(limits); }

    std::unique_ptr<SoundOutput> openSound() override { return openSdlSoundOutput(); }

    std::int64_t nowNs() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    std::int64_t performanceCounterNs() override { return nowNs(); }
    std::uint64_t timeStampCounter() override { return processorCycles(); }
    std::int64_t calendarSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }

private:
    // Between full screen and a window, for a game that holds full screen. The game runs on where
    // it was: the renderer, its textures and the game's surfaces stay, and the focus changes the
    // switch itself brings are no deactivation.
    void switchFullscreen() {
        switchPending_ = false;
        WindowObject* window = sys::gameWindow();
        if (window == nullptr || !window->fullscreen || nativeOf(*window) == nullptr) return;
        SDL_Window* native = nativeOf(*window);
        bool done = window->windowed ? showFullscreen(native) : showInWindow(native, window->width, window->height);
        if (done) window->windowed = !window->windowed;
        dropFocusChanges();
    }

    SdlPresenter presenter_;
    FramePacer pacer_;
    SdlJoystick joystick_;
    bool switchPending_ = false;
    SDL_Scancode switchEnter_ = SDL_SCANCODE_UNKNOWN; // held since it switched, not the game's
};

} // namespace

std::unique_ptr<Backend> makeSdlBackend() { return std::make_unique<SdlBackend>(); }

} // namespace platform
