// What the sdl backend spends on a frame besides drawing it: converting an 800 by 600 back buffer
// to 0x00RRGGBB and uploading and showing it through the streaming texture. Pacing is left out.
// Runs on SDL's "dummy" video driver with the software renderer, so the figures are the
// processor's own work, without a display server or a graphics card.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/ddraw/pixel_format.h"
#include "platform/desktop/sdl_presenter.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

SDL_Window* benchWindow() {
    static SDL_Window* window = SDL_CreateWindow("bench", 0, 0, kWidth, kHeight, SDL_WINDOW_HIDDEN);
    return window;
}

std::vector<std::uint32_t> testFrame() {
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(kWidth) * kHeight);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    return frame;
}

void BM_ConvertBackBuffer(benchmark::State& state) {
    int bits = static_cast<int>(state.range(0));
    SDL_Surface* back = platform::pixels::createSurface(kWidth, kHeight, bits);
    std::vector<std::uint32_t> out(static_cast<std::size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        platform::pixels::toXrgb(back, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    SDL_FreeSurface(back);
}
BENCHMARK(BM_ConvertBackBuffer)->Arg(8)->Arg(16)->Arg(24)->Arg(32);

void BM_UploadAndShow(benchmark::State& state) {
    platform::SdlPresenter presenter;
    presenter.attach(benchWindow(), SDL_RENDERER_SOFTWARE);
    std::vector<std::uint32_t> frame = testFrame();
    for (auto _ : state) {
        if (!presenter.show(frame.data(), kWidth, kHeight, kWidth * 4)) {
            state.SkipWithError(SDL_GetError());
            break;
        }
    }
}
BENCHMARK(BM_UploadAndShow)->Unit(benchmark::kMillisecond);

void BM_ConvertUploadAndShow(benchmark::State& state) {
    int bits = static_cast<int>(state.range(0));
    platform::SdlPresenter presenter;
    presenter.attach(benchWindow(), SDL_RENDERER_SOFTWARE);
    SDL_Surface* back = platform::pixels::createSurface(kWidth, kHeight, bits);
    std::vector<std::uint32_t> frame(static_cast<std::size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        platform::pixels::toXrgb(back, frame.data());
        presenter.show(frame.data(), kWidth, kHeight, kWidth * 4);
    }
    SDL_FreeSurface(back);
}
BENCHMARK(BM_ConvertUploadAndShow)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}
