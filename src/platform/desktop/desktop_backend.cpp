// The desktop's backend: the game in an SDL window, full screen or in a window (Alt+Enter),
// frames scaled by SDL's renderer and paced by sleeping, SDL's own boxes, and the terminal's
// signals ending the game as its close button does.
#include <SDL.h>

#include <csignal>

#include "platform/clock/cycle_counter.h"
#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/desktop/sdl_presenter.h"
#include "platform/desktop/sdl_window_modes.h"
#include "platform/input/scan_codes.h"
#include "platform/present/frame_pacer.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

namespace {

SDL_Window* nativeOf(WindowObject& window) { return static_cast<SDL_Window*>(window.native); }

// SDL turns SIGINT and SIGTERM into a quit event at its next pump, and a signal wakes its wait.
void hangUp(int) { std::raise(SIGTERM); }

// SIGHUP (the terminal closing) ends the game as SIGTERM does: a quit event, then WM_CLOSE. A
// SIGHUP that is ignored (nohup) stays ignored.
void closeOnHangUp() {
    struct sigaction current {};
    if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction action {};
    action.sa_handler = &hangUp;
    sigemptyset(&action.sa_mask);
    sigaction(SIGHUP, &action, nullptr);
}

constexpr std::uint32_t kRendererFlags = SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC;

class DesktopBackend final : public SdlBackend {
public:
    DesktopBackend() {
        // Once SDL's events run: SIGINT, SIGTERM and SIGHUP then arrive as quit events.
        if (SDL_WasInit(SDL_INIT_EVENTS) != 0) closeOnHangUp();
    }

    bool enterFullscreen(WindowObject& window) override {
        SDL_Window* native = nativeOf(window);
        if (native == nullptr || !showFullscreen(native)) return false;
        window.windowed = false;
        presenter_.attach(native, kRendererFlags);
        return true;
    }

    void leaveFullscreen(WindowObject& window) override {
        if (SDL_Window* native = nativeOf(window)) SDL_SetWindowFullscreen(native, 0);
    }

    void present(const std::uint32_t* pixels, int width, int height, int pitchBytes) override {
        if (!presenter_.attached()) {
            WindowObject* window = sys::gameWindow();
            if (window != nullptr && window->native != nullptr) presenter_.attach(nativeOf(*window), kRendererFlags);
        }
        presenter_.show(pixels, width, height, pitchBytes);
        // Paced even when nothing could be shown, so that the loop never spins.
        std::int64_t now = nowNs();
        if (std::int64_t hold = pacer_.holdNs(now, presenter_.vsync()); hold > 0) {
            // Whole milliseconds, rounded up: never faster than the limit.
            SDL_Delay(static_cast<Uint32>((hold + 999'999) / 1'000'000));
            now = nowNs();
        }
        pacer_.shown(now);
        countPresented();
    }

    void showMessageBox(const char* text, const char* caption, UINT type) override {
        bool error = (type & 0xF0) == 0x10;
        SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION, caption, text, nullptr);
    }

    bool keyDown(int scanCode) override {
        bool down = SdlBackend::keyDown(scanCode);
        // The Enter of Alt+Enter is the desktop's until it has been let go.
        int sdlCode = keys::sdlScancodeFor(scanCode);
        if (sdlCode != 0 && sdlCode == switchEnter_) {
            if (down) return false;
            switchEnter_ = SDL_SCANCODE_UNKNOWN;
        }
        return down;
    }

    void pumpEvents() override {
        SdlBackend::pumpEvents();
        if (switchPending_) switchFullscreen();
    }

    std::uint64_t timeStampCounter() override { return processorCycles(); }

protected:
    bool takeOwnEvent(const SDL_Event& event) override {
        if (!isSwitchKey(event)) return false;
        if (event.key.repeat == 0) switchPending_ = true;
        switchEnter_ = event.key.keysym.scancode;
        return true;
    }

    bool waitForOwnEvent(int timeoutMs) override {
        return (timeoutMs < 0 ? SDL_WaitEvent(nullptr) : SDL_WaitEventTimeout(nullptr, timeoutMs)) != 0;
    }

    void windowGoing() override { presenter_.detach(); }

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
    bool switchPending_ = false;
    SDL_Scancode switchEnter_ = SDL_SCANCODE_UNKNOWN; // held since it switched, not the game's
};

} // namespace

std::unique_ptr<Backend> makeTargetBackend() { return std::make_unique<DesktopBackend>(); }

} // namespace platform
