// The page's backend: the game in a browser page. SDL still brings the keys and pads; the
// page is told what it follows (page_contract.js), frames go out on the browser's display frames,
// every wait yields to the browser, boxes are the page's own, and full screen is the page's to
// ask for (Alt+Enter and its button), since a browser grants it only inside the player's gesture.
#include <SDL.h>
#include <emscripten.h>

#include "platform/clock/cycle_counter.h"
#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/dsound/sound_output.h"
#include "platform/present/present_rhythm.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/web/canvas_presenter.h"
#include "platform/web/page.h"
#include "platform/web/web_audio.h"

namespace platform {

namespace {

std::int64_t nsOfMs(double ms) { return static_cast<std::int64_t>(ms * 1'000'000.0); }

bool hasFocus(Uint32 windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    return window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

class WebBackend final : public SdlBackend {
public:
    WebBackend() { brannoc_end_with_main(); }

    // The page's canvas is the game's whole display; going full screen is the page's affair.
    bool enterFullscreen(WindowObject& window) override {
        window.windowed = false;
        return window.native != nullptr;
    }
    void leaveFullscreen(WindowObject&) override {}

    void present(const std::uint32_t* pixels, int width, int height, int pitchBytes) override {
        Display display(*this, Frame{pixels, width, height, pitchBytes});
        rhythm_.present(display);
        countPresented();
    }

    void showMessageBox(const char* text, const char* caption, UINT type) override {
        brannoc_message_box(text, caption, (type & 0xF0) == 0x10 ? 1 : 0);
    }

    // A page has no time-stamp counter: the game's counts at the nominal rate on the page's clock.
    std::uint64_t timeStampCounter() override {
        return static_cast<std::uint64_t>(emscripten_get_now() * (kNominalCyclesPerSecond / 1000.0));
    }

    // The browser's own mixer, not SDL's, which would feed it from the page's busy main thread.
    std::unique_ptr<SoundOutput> openSound() override { return openWebSoundOutput(); }

    void soundStarted(int resourceId) override { brannoc_sound_started(resourceId); }
    void activationChanged(bool active) override { brannoc_activated(active ? 1 : 0); }

protected:
    // A tab put away plays no more than an unfocused window.
    bool takeOwnEvent(const SDL_Event& event) override {
        if (event.type != SDL_WINDOWEVENT) return false;
        if (event.window.event == SDL_WINDOWEVENT_HIDDEN) {
            changeActivation(false);
            return true;
        }
        if (event.window.event == SDL_WINDOWEVENT_SHOWN) {
            if (hasFocus(event.window.windowID)) changeActivation(true);
            return true;
        }
        return false;
    }

    bool waitForOwnEvent(int timeoutMs) override { return brannoc_next_page_event(timeoutMs) != 0; }

private:
    struct Frame {
        const std::uint32_t* pixels;
        int width, height, pitchBytes;
    };

    // The page's display frames and the browser's timers, as the present rhythm sees them.
    class Display final : public DisplayPort {
    public:
        Display(WebBackend& backend, Frame frame) : backend_(backend), frame_(frame) {}
        std::int64_t nowNs() override { return nsOfMs(emscripten_get_now()); }
        void show() override {
            WindowObject* window = sys::gameWindow();
            if (window == nullptr || window->native == nullptr ||
                !backend_.presenter_.show(frame_.pixels, frame_.width, frame_.height, frame_.pitchBytes))
                return;
            double displayFrameMs = backend_.displayFrameMs_;
            brannoc_frame_presented(displayFrameMs > 0 ? displayFrameMs : emscripten_get_now());
        }
        // Whole milliseconds, rounded up: never before the slot. The frame then drawn is in a task
        // of its own, not in a display frame's.
        void sleepNs(std::int64_t ns) override {
            brannoc_sleep(static_cast<int>((ns + 999'999) / 1'000'000));
            backend_.displayFrameMs_ = 0;
        }
        std::int64_t refreshNs() override { return nsOfMs(brannoc_display_interval_ms()); }
        std::int64_t nextDisplayFrameNs() override {
            backend_.displayFrameMs_ = brannoc_next_display_frame();
            return nsOfMs(backend_.displayFrameMs_);
        }

    private:
        WebBackend& backend_;
        Frame frame_;
    };

    CanvasPresenter presenter_;
    PageRhythm rhythm_;
    double displayFrameMs_ = 0; // the display frame the frame being drawn is in; 0 in a task of its own
};

} // namespace

std::unique_ptr<Backend> makeTargetBackend() { return std::make_unique<WebBackend>(); }

} // namespace platform
