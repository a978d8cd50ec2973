// Each recording shaped for what it marks in the game.
#include "sounds.h"

#include <algorithm>
#include <stdexcept>

#include "synth_tools.h"

namespace assetgen {

namespace {

using namespace synth;

// 121: the bartender hops to another bar: a quick airy swish.
Signal laneChange(int n, double rate) {
    Signal s(n);
    Rng rng(121);
    BandPass bp, bp2;
    for (int i = 0; i < n; ++i) {
        const double t = i / static_cast<double>(n);
        const double centre = 500 + 2600 * std::sin(3.14159 * std::pow(t, 0.8));
        const double env = std::pow(std::sin(3.14159 * std::pow(t, 0.7)), 2);
        const double x = rng.signedUnit();
        s[i] = env * (bp.process(x, centre, 2.2, rate) + 0.5 * bp2.process(x, centre * 1.6, 4, rate));
    }
    return s;
}

// 122: beer pouring from the tap: glugs rising in pitch over a fizzy hiss.
Signal pour(int n, double rate) {
    Signal s(n);
    Rng rng(122);
    LowPass lp;
    const double starts[] = {0.0, 0.062, 0.118, 0.170, 0.215};
    for (int i = 0; i < n; ++i) {
        const double t = i / rate;
        double v = 0;
        for (int g = 0; g < 5; ++g) {
            const double dt = t - starts[g];
            if (dt < 0 || dt > 0.06) continue;
            // The glug's bubble rises in pitch as it empties.
            const double env = std::min(1.0, dt / 0.004) * std::exp(-dt / 0.022);
            v += env * std::sin(kTwoPi * (170 + 60 * g) * dt + kTwoPi * 1200 * dt * dt) * (1 - 0.1 * g);
        }
        const double hiss = lp.process(rng.signedUnit(), 1800, rate) * 0.5 * std::min(1.0, t / 0.02);
        s[i] = v + hiss;
    }
    return s;
}

// 123: a mug shatters: a crash, then shards ringing and skittering away.
Signal glassBreak(int n, double rate) {
    Signal s(n, 0.0);
    Rng rng(123);
    double hp = 0, prev = 0;
    for (int i = 0; i < n; ++i) {
        const double t = i / rate;
        const double x = rng.signedUnit();
        hp = 0.7 * (hp + x - prev); // bright noise
        prev = x;
        const double crash = std::exp(-t / 0.07) + 0.45 * (t > 0.24 ? std::exp(-(t - 0.24) / 0.05) : 0);
        s[i] = hp * crash * 0.9;
    }
    for (int k = 0; k < 46; ++k) {
        const double start = 0.85 * std::pow(rng.unit(), 1.8);
        const double amp = 0.55 * (1.0 - start) * (0.5 + rng.unit() * 0.5);
        const double f1 = 1900 + rng.unit() * 2900, f2 = f1 * (1.47 + rng.unit() * 0.2);
        const double decay = 0.015 + rng.unit() * 0.05;
        const int from = static_cast<int>(start * rate);
        for (int i = from; i < n && i < from + static_cast<int>(decay * 8 * rate); ++i) {
            const double t = (i - from) / rate;
            s[i] += amp * (ping(t, f1, decay) + 0.6 * ping(t, std::min(f2, 5200.0), decay * 0.7));
        }
    }
    return s;
}

// 124: an empty mug caught: a bright glassy clink, twice, the second softer.
Signal catchClink(int n, double rate) {
    Signal s(n, 0.0);
    Rng rng(124);
    for (int i = 0; i < n; ++i) {
        const double t = i / rate;
        double v = ping(t, 2350, 0.05) + 0.7 * ping(t, 3710, 0.035) + 0.35 * ping(t, 4980, 0.02);
        v += 0.45 * (ping(t - 0.028, 2610, 0.04) + 0.6 * ping(t - 0.028, 4020, 0.025));
        if (t < 0.003) v += 0.4 * rng.signedUnit() * (1 - t / 0.003);
        s[i] = v;
    }
    return s;
}

// 125: a short dry tick (a customer out of the door; a letter typed).
Signal tick(int n, double rate) {
    Signal s(n, 0.0);
    Rng rng(125);
    for (int i = 0; i < n; ++i) {
        const double t = i / rate;
        s[i] = ping(t, 1650, 0.008) + 0.5 * ping(t, 3300, 0.004) + (t < 0.002 ? 0.3 * rng.signedUnit() : 0.0);
    }
    return s;
}

// A bright chiptune voice with a soft bell an octave up.
double chipVoice(Phase& p, Phase& bell, double freq, double t, double rate) {
    const double env = std::min(1.0, t / 0.004) * (0.55 + 0.45 * std::exp(-t / 0.08));
    return env * (0.55 * p.square(freq, rate, 6) + 0.35 * bell.sine(freq * 2, rate) * std::exp(-t / 0.15));
}

// 126: a round completed: a rising arpeggio landing on a bright chord.
Signal jingle(int n, double rate) {
    Signal s(n, 0.0);
    const int notes[] = {72, 76, 79, 84};
    const double step = 0.105;
    for (int k = 0; k < 4; ++k) {
        Phase p, bell;
        const int from = static_cast<int>(k * step * rate), to = static_cast<int>((k + 1) * step * rate);
        for (int i = from; i < to && i < n; ++i)
            s[i] += chipVoice(p, bell, noteFrequency(notes[k]), (i - from) / rate, rate) *
                    std::min(1.0, (to - i) / (0.01 * rate));
    }
    const int chord[] = {79, 84, 88};
    for (int note : chord) {
        Phase p, bell;
        const int from = static_cast<int>(4 * step * rate);
        for (int i = from; i < n; ++i) {
            const double t = (i - from) / rate;
            s[i] += 0.5 * chipVoice(p, bell, noteFrequency(note), t, rate) * std::exp(-t / 0.35) *
                    (1.0 + 0.08 * std::sin(kTwoPi * 6 * t));
        }
    }
    return s;
}

// 128: a customer got to the bartender's end: a thump on the counter and a grumpy groan.
Signal reached(int n, double rate) {
    Signal s(n, 0.0);
    Rng rng(128);
    Phase thump, groan;
    LowPass lpNoise, lpGroan;
    BandPass formant;
    for (int i = 0; i < n; ++i) {
        const double t = i / rate;
        const double tf = 95 * std::exp(-t / 0.12) + 45;
        double v = thump.sine(tf, rate) * std::exp(-t / 0.09) * 1.1;
        v += lpNoise.process(rng.signedUnit(), 900, rate) * std::exp(-t / 0.02) * 1.5;
        if (t > 0.07) {
            const double g = t - 0.07, len = n / rate - 0.07;
            const double f = 150 - 60 * (g / len) + 5 * std::sin(kTwoPi * 5.5 * g);
            const double env = std::min(1.0, g / 0.05) * std::min(1.0, (len - g) / 0.12);
            const double raw = lpGroan.process(groan.saw(f, rate), 1400, rate);
            v += env * (0.5 * raw + 1.6 * formant.process(raw, 550 - 120 * (g / len), 3, rate));
        }
        s[i] = v;
    }
    return s;
}

// 129: game over: four sad notes sliding down, the last one wobbling.
Signal gameOver(int n, double rate) {
    Signal s(n, 0.0);
    const double starts[] = {0.0, 0.13, 0.26, 0.39};
    const int notes[] = {67, 66, 65, 64};
    Phase p;
    LowPass lp;
    for (int i = 0; i < n; ++i) {
        const double t = i / rate;
        int k = 3;
        while (k > 0 && t < starts[k]) --k;
        const double nt = t - starts[k];
        const double end = k < 3 ? 0.13 : n / rate - starts[3];
        double f = noteFrequency(notes[k]);
        if (k == 3) f *= 1.0 + 0.025 * std::sin(kTwoPi * 7 * nt) - 0.04 * (nt / end);
        const double env = std::min(1.0, nt / 0.015) * std::min(1.0, (end - nt) / 0.025);
        const double wah = 500 + 1800 * std::sin(3.14159 * std::min(1.0, nt / end));
        s[i] = env * lp.process(p.saw(f, rate), wah, rate);
    }
    return s;
}

// 130: a spare, pleasant two-note chime.
Signal spare(int n, double rate) {
    Signal s(n, 0.0);
    const double starts[] = {0.0, 0.22};
    const int notes[] = {88, 83};
    for (int k = 0; k < 2; ++k) {
        const double f = noteFrequency(notes[k]);
        for (int i = static_cast<int>(starts[k] * rate); i < n; ++i) {
            const double t = i / rate - starts[k];
            s[i] += ping(t, f, 0.35) + 0.35 * ping(t, f * 2.76, 0.12) + 0.15 * ping(t, f * 5.4, 0.05) +
                    0.25 * ping(t, f / 2, 0.5);
        }
    }
    return s;
}

// 131: the title's blast: a crack, a boom and a rumble dying away.
Signal blast(int n, double rate) {
    Signal s(n, 0.0);
    Rng rng(131);
    Phase boom;
    LowPass lp, lp2;
    for (int i = 0; i < n; ++i) {
        const double t = i / rate;
        const double cutoff = 300 + 5000 * std::exp(-t / 0.05);
        double v = lp.process(rng.signedUnit(), cutoff, rate);
        v = lp2.process(v, cutoff * 1.5, rate) * std::exp(-t / 0.12) * 2.2;
        v += boom.sine(35 + 45 * std::exp(-t / 0.08), rate) * std::exp(-t / 0.16) * 0.9;
        s[i] = v;
    }
    return s;
}

} // namespace

Bytes synthesize(const Recording& rec) {
    const double rate = rec.rate;
    const int n = rec.samples;
    Signal s;
    switch (rec.id) {
    case 121:
        s = laneChange(n, rate);
        break;
    case 122:
        s = pour(n, rate);
        break;
    case 123:
        s = glassBreak(n, rate);
        break;
    case 124:
        s = catchClink(n, rate);
        break;
    case 125:
        s = tick(n, rate);
        break;
    case 126:
        s = jingle(n, rate);
        break;
    case 128:
        s = reached(n, rate);
        break;
    case 129:
        s = gameOver(n, rate);
        break;
    case 130:
        s = spare(n, rate);
        break;
    case 131:
        s = blast(n, rate);
        break;
    default:
        throw std::invalid_argument("no such recording");
    }
    return render(std::move(s), rate);
}

} // namespace assetgen
