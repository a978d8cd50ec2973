// The cost of one empty frame on the headless backend: clear, dispatch, flip.
#include <benchmark/benchmark.h>

#include "app/globals.h"
#include "app/run_game.h"
#include "platform/headless.h"

namespace {

void setUpDisplay(int depthCode) {
    platform::useHeadless();
    platform::headless::reset();
    app = Application{};
    app.create("Brannoc", 800, 600, depthCode, windowProc, GetModuleHandleA(nullptr), nullptr, nullptr);
}

void emptyFrame(benchmark::State& state) {
    setUpDisplay(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        app.clearBackBuffer();
        frameDispatch(2);
        app.flip();
    }
    app.releaseDisplay();
}
BENCHMARK(emptyFrame)->Arg(1)->Arg(3)->ArgName("depthCode")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
