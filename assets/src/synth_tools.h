// Building blocks for the sounds: oscillators, noise, filters and the final 8-bit render.
#pragma once

#include <cmath>
#include <vector>

#include "bmp_writer.h"
#include "rng.h"

namespace assetgen::synth {

constexpr double kTwoPi = 6.283185307179586;

using Signal = std::vector<double>;

// Running sine/saw phase for a frequency that changes over time.
class Phase {
public:
    double advance(double freq, double rate) {
        value_ += freq / rate;
        value_ -= std::floor(value_);
        return value_;
    }
    double sine(double freq, double rate) { return std::sin(kTwoPi * advance(freq, rate)); }
    // Band-limited-ish square from its first odd harmonics.
    double square(double freq, double rate, int harmonics);
    double saw(double freq, double rate) { return 2.0 * advance(freq, rate) - 1.0; }

private:
    double value_ = 0;
};

// Two-pole band pass (constant peak gain); cutoff may change every sample.
class BandPass {
public:
    double process(double x, double centre, double q, double rate);

private:
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

class LowPass {
public:
    double process(double x, double cutoff, double rate) {
        const double a = 1.0 - std::exp(-kTwoPi * cutoff / rate);
        y_ += a * (x - y_);
        return y_;
    }

private:
    double y_ = 0;
};

// A decaying sum of sines at time t (seconds) after its start: bells, glass and clinks.
double ping(double t, double freq, double decay);

double noteFrequency(int midiNote);

// Removes any offset, scales the peak to just under full scale, fades both ends
// and turns it into unsigned bytes centred on 128.
Bytes render(Signal s, double rate);

} // namespace assetgen::synth
