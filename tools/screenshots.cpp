// Plays the game on the headless backend and writes a picture of each screen into screenshots/
// under the current directory: the title at its end, the help page, play, and game over.
// Run it from the build directory, where bmps/ lies.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "program/run_game.h"
#include "game/game_vars.h"
#include "platform/headless.h"

namespace {

namespace headless = platform::headless;

void put16(std::ofstream& out, std::uint16_t value) {
    out.put(static_cast<char>(value & 0xFF)).put(static_cast<char>(value >> 8));
}

void put32(std::ofstream& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

// A 24-bit bottom-up BMP of the last presented frame.
bool writeShot(const std::string& path) {
    const auto& pixels = headless::lastPresented();
    const int width = headless::presentedWidth();
    const int height = headless::presentedHeight();
    if (pixels.empty() || width <= 0 || height <= 0) {
        return false;
    }
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(width) * 3;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::ofstream out(path, std::ios::binary);
    out.write("BM", 2);
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    for (int i = 0; i < 6; ++i) {
        put32(out, i == 1 ? imageBytes : 0);
    }
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                           static_cast<std::size_t>(x)];
            out.put(static_cast<char>(p & 0xFF)).put(static_cast<char>((p >> 8) & 0xFF));
            out.put(static_cast<char>((p >> 16) & 0xFF));
        }
    }
    return static_cast<bool>(out);
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
