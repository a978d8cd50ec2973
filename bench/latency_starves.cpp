// Plays silence at the game's quick buffer (384 frames, or <frames>) on SDL's audio for
// bench/latency_side_by_side.sh and bench/sound_gaps.sh, on a sound server of its own, and watches
// its callbacks with the game's own starve watch: tells whether the machine alone starves a
// program that does nothing but play.
// Usage: latency_starves <seconds> [<frames>]
// Build: c++ -std=c++20 -O2 -Isrc bench/latency_starves.cpp -o latency_starves $(sdl2-config --cflags --libs)
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sdl/starve_watch.h"

namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

platform::StarveWatch watch{0, 0};
std::atomic<std::int64_t> movedNs{0};

void SDLCALL play(void*, Uint8* stream, int length) {
    std::memset(stream, 0, static_cast<std::size_t>(length));
    const std::int64_t now = nowNs();
    if (watch.asked(now)) movedNs = now;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || SDL_Init(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "usage: %s <seconds> [<frames>] (with SDL's audio)\n", argv[0]);
        return 2;
    }
    SDL_AudioSpec wanted{};
    SDL_AudioSpec got{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = static_cast<Uint16>(argc > 2 ? std::atoi(argv[2]) : 384);
    wanted.callback = &play;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &got, 0);
    if (device == 0) {
        std::fprintf(stderr, "no audio: %s\n", SDL_GetError());
        return 1;
    }
    // The game's own watch: its buffer, and one more held by the device.
    const std::int64_t bufferNs = std::int64_t{got.samples} * 1'000'000'000 / got.freq;
    watch = platform::StarveWatch(bufferNs, bufferNs);
    const std::int64_t started = nowNs();
    SDL_PauseAudioDevice(device, 0);
    SDL_Delay(static_cast<Uint32>(std::atof(argv[1]) * 1000));
    SDL_CloseAudioDevice(device);
    if (movedNs == 0) std::printf("kept %u frames a buffer\n", unsigned{got.samples});
    else
        std::printf("starved at %u frames a buffer, %.1f s after its start\n", unsigned{got.samples},
                    static_cast<double>(movedNs - started) * 1e-9);
    SDL_Quit();
    return 0;
}
