/* Taps keys through XTest for bench/latency_side_by_side.sh and prints, for each, the
 * CLOCK_MONOTONIC second at which its press went to the X server and the key's name.
 * The gaps are drawn at random between <least gap> and twice it, at microsecond grain, so the
 * presses fall at every phase of the frame; each key is held 100 ms, a frame or more on a busy machine.
 * Usage: DISPLAY=:N latency_keys <presses> <least gap in ms> <key>...  (cycled)
 * Build: cc -O2 bench/latency_keys.c -o latency_keys -lXtst -lX11 */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: %s <presses> <least gap in ms> <key>...\n", argv[0]);
        return 2;
    }
    int presses = atoi(argv[1]);
    long gapUs = atol(argv[2]) * 1000;
    Display* display = XOpenDisplay(NULL);
    int event, error, major, minor;
    if (display == NULL || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        fprintf(stderr, "no X display with XTest\n");
        return 1;
    }
    srand((unsigned)time(NULL) ^ (unsigned)getpid());
    for (int i = 0; i < presses; ++i) {
        usleep((useconds_t)(gapUs + (long)((double)rand() / RAND_MAX * (double)gapUs)));
        const char* name = argv[3 + i % (argc - 3)];
        KeyCode code = XKeysymToKeycode(display, XStringToKeysym(name));
        double pressed = now();
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XFlush(display);
        printf("%.6f %s\n", pressed, name);
        usleep(100000);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        XFlush(display);
    }
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
