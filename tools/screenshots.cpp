// Plays the game on the headless backend and writes a picture of each screen into screenshots/
// under the current directory: the title at its end, the help page, play, and game over.
// Run it from the build directory, where bmps/ lies.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/globals.h"
#include "bmp_image.h"
#include "game/game_vars.h"
#include "platform/headless.h"
#include "program/run_game.h"

namespace {

namespace headless = platform::headless;

// A 24-bit BMP of the last presented frame.
bool writeShot(const std::string& path) {
    const auto& pixels = headless::lastPresented();
    const int width = headless::presentedWidth();
    const int height = headless::presentedHeight();
    if (pixels.empty() || width <= 0 || height <= 0) {
        return false;
    }
    return writeBmp(path, width, height, [&](int x, int y) {
        const std::uint32_t p =
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
        return static_cast<COLORREF>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
    });
}

} // namespace

int main() {
    platform::HeadlessOptions options;
    options.msPerFlip = 1000.0 / 60.0;
    platform::useHeadless(options);
    std::filesystem::create_directories("screenshots");

    int written = 0;
    int gameOverFrame = 0;
    const auto shoot = [&](const char* name) {
        const std::string path = std::string("screenshots/") + name + ".bmp";
        if (writeShot(path)) {
            std::printf("wrote %s\n", path.c_str());
            ++written;
        }
    };
    headless::setFlipHook([&](int frame) {
        if (frame == 400) {
            shoot("title"); // the sign is up and the line typed after about 150 ticks
            headless::tapKey(DIK_RETURN);
        } else if (frame == 410) {
            shoot("help");
            headless::tapKey(DIK_RETURN);
        } else if (frame == 700) {
            shoot("play");
        } else if (frame > 700 && gameVars.lives == 0 && gameOverFrame == 0) {
            gameOverFrame = frame;
        } else if (gameOverFrame != 0 && frame == gameOverFrame + 30) {
            shoot("game_over");
            headless::setKeyDown(DIK_ESCAPE, true);
            headless::pressKey(DIK_ESCAPE);
        } else if (frame > 20000) {
            PostMessageA(app.window, WM_CLOSE, 0, 0);
        }
    });
    brannocMain(GetModuleHandleA(nullptr));
    return written == 4 ? 0 : 1;
}
