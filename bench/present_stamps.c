/* Stamps every present of a program linked with -Wl,--wrap=SDL_RenderPresent and this file, for
 * bench/wine_side_by_side.sh: a program under Wine carries its SDL inside the .exe, where no
 * preloaded library reaches it. At exit, the wall-clock time of each present (seconds since 1970)
 * goes to the file named by BENCH_PRESENTS, one a line; where that is unset, nowhere. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

enum { mostPresents = 1 << 18 };
static double stamps[mostPresents];
static int presents;

void __real_SDL_RenderPresent(void* renderer);

static void writeStamps(void) {
    const char* path = getenv("BENCH_PRESENTS");
    FILE* out = path != NULL ? fopen(path, "w") : NULL;
    if (out == NULL) return;
    for (int i = 0; i < presents; ++i) fprintf(out, "%.6f\n", stamps[i]);
    fclose(out);
}

void __wrap_SDL_RenderPresent(void* renderer) {
    __real_SDL_RenderPresent(renderer);
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    if (presents == 0) atexit(writeStamps);
    if (presents < mostPresents) stamps[presents++] = (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}
