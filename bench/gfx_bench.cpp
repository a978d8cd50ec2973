// Per-frame drawing costs on the headless display: sprite blits, a line of text, a full-screen fill.
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/display.h"
#include "gfx/shape_painter.h"
#include "gfx/sprite.h"
#include "gfx/text_pen.h"
#include "platform/headless.h"
#include "platform/window.h"

namespace {

// An 800 by 600 flip chain at the given depth, made afresh for each benchmark.
class BenchDisplay {
public:
    explicit BenchDisplay(int bits) {
        platform::HeadlessOptions options;
        options.desktopBits = bits;
        platform::headless::reset(options);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "GfxBench";
        RegisterClassA(&windowClass);
        HWND window = CreateWindowExA(0, "GfxBench", "GfxBench", WS_POPUPWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                      nullptr, nullptr);
        ShowWindow(window, SW_SHOW);
        DirectDrawCreate(nullptr, &display.ddraw, nullptr);
        display.ddraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
        display.ddraw->SetDisplayMode(800, 600, static_cast<DWORD>(bits));
        DDSURFACEDESC desc = {};
        desc.dwSize = 108;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        display.ddraw->CreateSurface(&desc, &display.primary, nullptr);
        DDSCAPS caps = {DDSCAPS_BACKBUFFER};
        display.primary->GetAttachedSurface(&caps, &display.backBuffer);
    }
    ~BenchDisplay() {
        display.backBuffer->Release();
        display.primary->Release();
        display.ddraw->Release();
    }
    BenchDisplay(const BenchDisplay&) = delete;
    BenchDisplay& operator=(const BenchDisplay&) = delete;

    bool ready() const { return display.backBuffer != nullptr; }

    Display display = {};
};

// A 24-bit bitmap file of a figure on green, removed again when done.
class BenchPicture {
public:
    BenchPicture(int width, int height)
        : path_("/tmp/gfxbench-" + std::to_string(::getpid()) + "-" + std::to_string(width) + ".bmp") {
        const int rowBytes = (width * 3 + 3) & ~3;
        std::vector<unsigned char> file(54 + static_cast<std::size_t>(rowBytes * height), 0);
        auto put = [&file](std::size_t at, unsigned value, int bytes) {
            for (int i = 0; i < bytes; ++i) {
                file[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
            }
        };
        file[0] = 'B';
        file[1] = 'M';
        put(2, static_cast<unsigned>(file.size()), 4);
        put(10, 54, 4);
        put(14, 40, 4);
        put(18, static_cast<unsigned>(width), 4);
        put(22, static_cast<unsigned>(height), 4);
        put(26, 1, 2);
        put(28, 24, 2);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool figure = (x - width / 2) * (x - width / 2) * 4 < width * width && y % 5 != 0;
                const std::size_t at = 54 + static_cast<std::size_t>(y * rowBytes + x * 3);
                file[at] = figure ? 40 : 0;
                file[at + 1] = figure ? 90 : 255;
                file[at + 2] = figure ? 200 : 0;
            }
        }
        std::FILE* out = std::fopen(path_.c_str(), "wb");
        if (out != nullptr) {
            std::fwrite(file.data(), 1, file.size(), out);
            std::fclose(out);
        }
    }
    ~BenchPicture() { std::remove(path_.c_str()); }
    BenchPicture(const BenchPicture&) = delete;
    BenchPicture& operator=(const BenchPicture&) = delete;

    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};

void blitSprite(benchmark::State& state, int width, int height, bool keyed) {
    BenchDisplay screen(static_cast<int>(state.range(0)));
    BenchPicture picture(width, height);
    Sprite sprite;
    if (!screen.ready() || !sprite.load(picture.path(), &screen.display)) {
        state.SkipWithError("no display or picture");
        return;
    }
    if (keyed) {
        sprite.setColorKey(RGB(0, 255, 0));
    }
    for (auto _ : state) {
        sprite.blitWhole(0, 0);
    }
    state.SetItemsProcessed(state.iterations());
    sprite.release();
}

void BM_KeyedSpriteBlit(benchmark::State& state) {
    blitSprite(state, 41, 68, true);
}

void BM_OpaqueFullScreenBlit(benchmark::State& state) {
    blitSprite(state, 800, 600, false);
}

void BM_TextLine(benchmark::State& state) {
    BenchDisplay screen(static_cast<int>(state.range(0)));
    TextPen pen;
    pen.init(&screen.display);
    constexpr char line[] = "Score 123456   Level 14   Lives 3   Last orders!!!";
    static_assert(sizeof line - 1 == 50);
    for (auto _ : state) {
        pen.print(line, 20, 40);
    }
}

void BM_FullScreenFill(benchmark::State& state) {
    BenchDisplay screen(static_cast<int>(state.range(0)));
    ShapePainter shapes;
    shapes.attach(&screen.display);
    for (auto _ : state) {
        shapes.fillRect(0, 0, 800, 600, RGB(20, 10, 0), RGB(200, 160, 0));
    }
}

BENCHMARK(BM_KeyedSpriteBlit)->Arg(16)->Arg(32);
BENCHMARK(BM_OpaqueFullScreenBlit)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextLine)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullScreenFill)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    platform::useHeadless();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
