// The desktop's backend: the game in an SDL window, full screen or in a window (Alt+Enter),
// frames scaled by SDL's renderer and paced by sleeping, SDL's own boxes (on Windows, Windows'
// own), and what the system asks of a program as it starts (system_start.h).
#include <SDL.h>

#include "platform/clock/cycle_counter.h"
#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/desktop/sdl_presenter.h"
#include "platform/desktop/sdl_window_modes.h"
#include "platform/desktop/system_start.h"
#include "platform/input/scan_codes.h"
#include "platform/present/present_rhythm.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

namespace {

SDL_Window* nativeOf(WindowObject& window) { return static_cast<SDL_Window*>(window.native); }

constexpr std::uint32_t kRendererFlags = SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC;

class DesktopBackend final : public SdlBackend {
public:
    DesktopBackend() { startOnTheSystem(); }

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
        // Paced even when nothing could be shown, so that the loop never spins.
        Display display(*this, Frame{pixels, width, height, pitchBytes});
        rhythm_.present(display);
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
    struct Frame {
        const std::uint32_t* pixels;
        int width, height, pitchBytes;
    };

    // The window's display, as the present rhythm sees it.
    class Display final : public DisplayPort {
    public:
        Display(DesktopBackend& backend, Frame frame) : backend_(backend), frame_(frame) {}
        std::int64_t nowNs() override { return backend_.nowNs(); }
        void show() override {
            backend_.presenter_.show(frame_.pixels, frame_.width, frame_.height, frame_.pitchBytes);
        }
        // Whole milliseconds, rounded up: never before the slot.
        void sleepNs(std::int64_t ns) override { SDL_Delay(static_cast<Uint32>((ns + 999'999) / 1'000'000)); }
        std::int64_t refreshNs() override { return backend_.presenter_.refreshNs(); }
        void setVsync(bool on) override { backend_.presenter_.setVsync(on); }
        bool vsync() override { return backend_.presenter_.vsync(); }

    private:
        DesktopBackend& backend_;
        Frame frame_;
    };

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
    DesktopRhythm rhythm_;
    bool switchPending_ = false;
    SDL_Scancode switchEnter_ = SDL_SCANCODE_UNKNOWN; // held since it switched, not the game's
};

} // namespace

std::unique_ptr<Backend> makeTargetBackend() { return std::make_unique<DesktopBackend>(); }

} // namespace platform
