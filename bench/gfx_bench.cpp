// Per-frame drawing costs on the headless display: sprite blits, a line of text, a full-screen fill.
#include <cstdio>
#include <string>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bmp_image.h"
#include "gfx/shape_painter.h"
#include "gfx/sprite.h"
#include "gfx/text_pen.h"
#include "headless_display.h"

namespace {

// A 24-bit bitmap file of a figure on green, removed again when done.
class BenchPicture {
public:
    BenchPicture(int width, int height)
        : path_("/tmp/gfxbench-" + std::to_string(::getpid()) + "-" + std::to_string(width) + ".bmp") {
        written_ = writeBmp(path_, width, height, [width, height](int x, int y) {
            const bool figure = (x - width / 2) * (x - width / 2) * 4 < width * width && (height - 1 - y) % 5 != 0;
            return figure ? RGB(200, 90, 40) : RGB(0, 255, 0);
        });
    }
    ~BenchPicture() { std::remove(path_.c_str()); }
    BenchPicture(const BenchPicture&) = delete;
    BenchPicture& operator=(const BenchPicture&) = delete;

    const char* path() const { return path_.c_str(); }
    bool written() const { return written_; }

private:
    std::string path_;
    bool written_ = false;
};

void blitSprite(benchmark::State& state, int width, int height, bool keyed) {
    HeadlessDisplay screen(static_cast<int>(state.range(0)));
    BenchPicture picture(width, height);
    Sprite sprite;
    if (!screen.ready() || !picture.written() || !sprite.load(picture.path(), &screen.display)) {
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

void BM_KeyedSpriteBlit(benchmark::State& state) { blitSprite(state, 41, 68, true); }

void BM_OpaqueFullScreenBlit(benchmark::State& state) { blitSprite(state, 800, 600, false); }

void BM_TextLine(benchmark::State& state) {
    HeadlessDisplay screen(static_cast<int>(state.range(0)));
    TextPen pen;
    pen.init(&screen.display);
    constexpr char line[] = "Score 123456   Level 14   Lives 3   Last orders!!!";
    static_assert(sizeof line - 1 == 50);
    for (auto _ : state) {
        pen.print(line, 20, 40);
    }
}

void BM_FullScreenFill(benchmark::State& state) {
    HeadlessDisplay screen(static_cast<int>(state.range(0)));
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
