// The main of every benchmark that runs on the headless backend, started from the build tree.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "platform/headless.h"

int main(int argc, char** argv) {
    // The pictures are looked up under bmps/ beside the program.
    std::filesystem::current_path(std::filesystem::absolute(argv[0]).parent_path());
    platform::useHeadless();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
