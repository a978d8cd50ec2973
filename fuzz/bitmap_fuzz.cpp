// Arbitrary bytes as a bitmap file: loaded into a sprite, keyed and drawn on a 32-bit display and
// on a 16-bit one.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "gfx/sprite.h"
#include "headless_display.h"
#include "platform/headless.h"

namespace {

HeadlessDisplay* screens[2] = {};
std::string path;

void draw(Display& display) {
    Sprite sprite;
    if (sprite.load(path.c_str(), &display)) {
        sprite.setColorKey(RGB(0, 255, 0));
        sprite.blitWhole(0, 0);
        sprite.blit(1, 1, sprite.width / 2, sprite.height / 2, 10, 10);
        sprite.release();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::useHeadless();
    // Kept for the whole run: libFuzzer may end with _Exit.
    screens[0] = new HeadlessDisplay(32);
    screens[1] = new HeadlessDisplay(16, *screens[0]);
    for (const HeadlessDisplay* screen : screens) {
        if (!screen->ready()) {
            std::fprintf(stderr, "no display: %s failed\n", screen->failedStep());
            std::abort();
        }
    }
    // Memory-backed when there is such a place: each input is written out once per run.
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    path = std::string(dir) + "/bfuzz-" + std::to_string(::getpid()) + ".bmp";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    for (HeadlessDisplay* screen : screens) {
        draw(screen->display);
    }
    // libFuzzer may end with _Exit, so nothing is left for an exit handler to tidy.
    std::remove(path.c_str());
    // The platform's logs grow with every input; kept empty, memory tells only of the reader.
    platform::headless::clearLogs();
    return 0;
}
