/* Listens to a PulseAudio source for bench/latency_side_by_side.sh and prints the CLOCK_MONOTONIC
 * second at which each sound began there: the first loud sample after at least 30 ms of quiet.
 * A sample's time is the read's end, less the stream's reported latency and the samples that
 * followed it in the read.
 * Usage: PULSE_SERVER=... latency_listen <source> <seconds>
 * Build: cc -O2 bench/latency_listen.c -o latency_listen -lpulse-simple -lpulse */
#include <pulse/error.h>
#include <pulse/simple.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

enum { rate = 44100, chunk = 64, loud = 200 };

static double now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s <source> <seconds>\n", argv[0]);
        return 2;
    }
    pa_sample_spec format = {PA_SAMPLE_S16LE, rate, 2};
    // Small fragments: the server hands samples over soon after they reach the monitor.
    pa_buffer_attr attr = {(uint32_t)-1, (uint32_t)-1, (uint32_t)-1, (uint32_t)-1, chunk * 4};
    int error = 0;
    pa_simple* stream =
        pa_simple_new(NULL, "latency bench", PA_STREAM_RECORD, argv[1], "listen", &format, NULL, &attr, &error);
    if (stream == NULL) {
        fprintf(stderr, "cannot listen to %s: %s\n", argv[1], pa_strerror(error));
        return 1;
    }
    double end = now() + atof(argv[2]);
    long quiet = 0;
    const long quietNeeded = rate * 30 / 1000;
    short samples[chunk * 2];
    while (now() < end) {
        if (pa_simple_read(stream, samples, sizeof samples, &error) < 0) break;
        double readAt = now();
        pa_usec_t latency = pa_simple_get_latency(stream, &error);
        for (int i = 0; i < chunk; ++i) {
            int left = abs(samples[2 * i]), right = abs(samples[2 * i + 1]);
            if (left < loud && right < loud) {
                ++quiet;
                continue;
            }
            if (quiet >= quietNeeded)
                printf("%.6f\n", readAt - (double)latency * 1e-6 - (double)(chunk - 1 - i) / rate);
            quiet = 0;
        }
        fflush(stdout);
    }
    pa_simple_free(stream);
    return 0;
}
