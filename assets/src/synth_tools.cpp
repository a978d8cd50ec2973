#include "synth_tools.h"

#include <algorithm>

namespace assetgen::synth {

double Phase::square(double freq, double rate, int harmonics) {
    const double p = kTwoPi * advance(freq, rate);
    double v = 0;
    for (int h = 1; h <= harmonics * 2; h += 2)
        if (freq * h < rate * 0.45) v += std::sin(p * h) / h;
    return v * 4.0 / 3.14159265358979;
}

double BandPass::process(double x, double centre, double q, double rate) {
    const double w = kTwoPi * std::min(centre, rate * 0.45) / rate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
    const double y = b0 * x + b2 * x2_ - a1 * y1_ - a2 * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

double ping(double t, double freq, double decay) {
    if (t < 0) return 0;
    const double attack = std::min(1.0, t / 0.0015);
    return attack * std::exp(-t / decay) * std::sin(kTwoPi * freq * t);
}

double noteFrequency(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

Bytes render(Signal s, double rate) {
    const std::size_t n = s.size();
    double mean = 0;
    for (double v : s) mean += v;
    mean /= static_cast<double>(n);
    for (double& v : s) v -= mean;
    // Fades: a few milliseconds, never more than a tenth of the sound.
    const auto fadeIn = static_cast<std::size_t>(std::min(rate * 0.003, n / 10.0));
    const auto fadeOut = static_cast<std::size_t>(std::min(rate * 0.008, n / 10.0));
    for (std::size_t i = 0; i < fadeIn; ++i) s[i] *= 0.5 - 0.5 * std::cos(3.14159265358979 * i / fadeIn);
    for (std::size_t i = 0; i < fadeOut; ++i) s[n - 1 - i] *= 0.5 - 0.5 * std::cos(3.14159265358979 * i / fadeOut);
    double peak = 1e-9;
    for (double v : s) peak = std::max(peak, std::abs(v));
    const double gain = 0.94 / peak;
    Bytes out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const long q = 128 + std::lround(s[i] * gain * 127.0);
        out[i] = static_cast<std::uint8_t>(std::clamp(q, 1L, 255L));
    }
    // The very ends sit exactly on the centre line.
    out.front() = 128;
    out.back() = 128;
    return out;
}

} // namespace assetgen::synth
