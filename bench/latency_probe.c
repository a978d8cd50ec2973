/* Preloaded into a program under bench/latency_side_by_side.sh: before each SDL_RenderPresent it
 * reads small squares of the frame about to be shown and writes one line to $PROBE_OUT:
 *   <present time> <last sound lock time or 0> <sum of each square>...
 * Times are CLOCK_MONOTONIC seconds, the clock the key injector and the listener stamp with too.
 * A Windows program carries its SDL inside the .exe, where no preload reaches it: for
 * bench/latency_wine.sh it is linked with this file and -Wl,--wrap=SDL_RenderPresent
 * -Wl,--wrap=SDL_LockAudioDevice instead, and stamps CLOCK_REALTIME, which Wine takes from the
 * host's own wall clock.
 * The squares are $PROBE_SPOTS, "x,y,size" in the renderer's output pixels, ";" between them. The
 * sound lock is the program's last SDL_LockAudioDevice since the previous present: the game takes
 * it to start a sound, so in the frame that starts one it stamps the Play within that frame's work.
 * Build: cc -O2 -shared -fPIC bench/latency_probe.c -o latency_probe.so $(sdl2-config --cflags) -ldl */
#define _GNU_SOURCE
#include <SDL.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#ifdef _WIN32
#define PROBE_CLOCK CLOCK_REALTIME
#define PROBED(name) __wrap_##name
#define REAL(name, type) __real_##name
void __real_SDL_LockAudioDevice(SDL_AudioDeviceID device);
void __real_SDL_RenderPresent(SDL_Renderer* renderer);
#else
#include <dlfcn.h>
#define PROBE_CLOCK CLOCK_MONOTONIC
#define PROBED(name) name
#define REAL(name, type) ((type)next(#name))
static void* next(const char* name) { return dlsym(RTLD_NEXT, name); }
#endif

enum { mostSpots = 4, mostSide = 32 };
static SDL_Rect spots[mostSpots];
static int spotCount = -1;
static FILE* out;
static double lastLock;

static double now(void) {
    struct timespec ts;
    clock_gettime(PROBE_CLOCK, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

static void readSpots(void) {
    const char* text = getenv("PROBE_SPOTS");
    spotCount = 0;
    for (int x, y, size, used;
         text != NULL && spotCount < mostSpots && sscanf(text, "%d,%d,%d%n", &x, &y, &size, &used) == 3;) {
        if (size > mostSide) size = mostSide;
        spots[spotCount++] = (SDL_Rect){x, y, size, size};
        text += used;
        if (*text == ';') ++text;
    }
    const char* path = getenv("PROBE_OUT");
    out = path != NULL ? fopen(path, "w") : NULL;
}

void PROBED(SDL_LockAudioDevice)(SDL_AudioDeviceID device) {
    static void (*real)(SDL_AudioDeviceID);
    if (real == NULL) real = REAL(SDL_LockAudioDevice, void (*)(SDL_AudioDeviceID));
    lastLock = now();
    real(device);
}

void PROBED(SDL_RenderPresent)(SDL_Renderer* renderer) {
    static void (*real)(SDL_Renderer*);
    static int (*readPixels)(SDL_Renderer*, const SDL_Rect*, Uint32, void*, int);
    if (real == NULL) {
        real = REAL(SDL_RenderPresent, void (*)(SDL_Renderer*));
#ifdef _WIN32
        readPixels = SDL_RenderReadPixels;
#else
        readPixels = (int (*)(SDL_Renderer*, const SDL_Rect*, Uint32, void*, int))next("SDL_RenderReadPixels");
#endif
    }
    if (spotCount < 0) readSpots();
    if (out != NULL) {
        static Uint32 pixels[mostSide * mostSide];
        fprintf(out, "%.6f %.6f", now(), lastLock);
        for (int i = 0; i < spotCount; ++i) {
            unsigned long sum = 0;
            if (readPixels(renderer, &spots[i], SDL_PIXELFORMAT_RGB888, pixels, spots[i].w * 4) == 0)
                for (int p = 0; p < spots[i].w * spots[i].h; ++p) sum += pixels[p] & 0xFFFFFF;
            fprintf(out, " %lu", sum);
        }
        fputc('\n', out);
    }
    lastLock = 0;
    real(renderer);
}
