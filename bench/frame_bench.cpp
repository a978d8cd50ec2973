// The cost of one empty frame on the headless backend: clear, dispatch, flip.
#include <benchmark/benchmark.h>

#include "app/globals.h"
#include "headless_app.h"
#include "program/run_game.h"

namespace {

void emptyFrame(benchmark::State& state) {
    if (!startApplication({}, static_cast<int>(state.range(0)))) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        app.clearBackBuffer();
        frameDispatch(2);
        app.flip();
    }
    app.releaseDisplay();
}
BENCHMARK(emptyFrame)->Arg(1)->Arg(3)->ArgName("depthCode")->Unit(benchmark::kMicrosecond);

} // namespace
