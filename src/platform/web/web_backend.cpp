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
#include "platform/present/frame_pacer.h"
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
        WindowObject* window = sys::gameWindow();
        if (window != nullptr && window->native != nullptr && presenter_.show(pixels, width, height, pitchBytes))
            brannoc_frame_presented(displayFrameMs_ > 0 ? displayFrameMs_ : emscripten_get_now());
        // Each frame waits for a display frame of its own, until one lets it go; but where display
        // frames come further apart than the game's (a display slower than 60 Hz), a frame the game
        // is already due goes at once, so that it keeps its 60 frames a second.
        std::int64_t now = nsOfMs(emscripten_get_now());
        bool slowDisplay = displayIntervalNs_ > FramePacer::kFrameNs * 3 / 2;
        for (bool wait = !slowDisplay || pacer_.holdNs(now, true) > 0; wait; wait = pacer_.holdNs(now, true) > 0) {
            double frameMs = brannoc_next_display_frame();
            if (displayFrameMs_ > 0) displayIntervalNs_ = nsOfMs(frameMs - displayFrameMs_);
            displayFrameMs_ = frameMs;
            now = nsOfMs(frameMs);
        }
        pacer_.shown(now);
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
    CanvasPresenter presenter_;
    FramePacer pacer_;
    double displayFrameMs_ = 0;          // the display frame that let the game draw the frame it presents
    std::int64_t displayIntervalNs_ = 0; // between the last two display frames waited for
};

} // namespace

std::unique_ptr<Backend> makeTargetBackend() { return std::make_unique<WebBackend>(); }

} // namespace platform
