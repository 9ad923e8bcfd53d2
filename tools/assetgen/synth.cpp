// The synthesiser. Every step is plain arithmetic on doubles plus the deterministic maths of
// det_math, and noise comes from a fixed xorshift generator, so output never varies.
#include "synth.h"

#include "det_math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace assetgen {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr double kLn2 = 0.69314718055994530942;

class Noise {
  public:
    explicit Noise(unsigned seed) : state_(seed * 2654435761u + 0x6D2B79F5u) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(static_cast<std::int32_t>(state_)) / 2147483648.0;
    }

  private:
    std::uint32_t state_;
};

// Smooths the jump of a saw or square edge so high notes do not alias into hiss.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double glide(double from, double to, double u) {
    if (to < 0.0 || to == from || from <= 0.0) {
        return from;
    }
    return from * detExp(detLog(to / from) * u);
}

double onePoleCoefficient(double cutoff) {
    return 1.0 - detExp(-kTwoPi * cutoff / Synth::kRate);
}

// One sample of a periodic wave at phase p (0..1) advancing dt per sample.
double oscillator(Wave wave, double p, double dt, double duty) {
    switch (wave) {
    case Wave::Sine:
        return sinTurns(p);
    case Wave::Saw:
        return 2.0 * p - 1.0 - polyBlep(p, dt);
    case Wave::Square: {
        double q = p - duty;
        q -= std::floor(q);
        return (p < duty ? 1.0 : -1.0) + polyBlep(p, dt) - polyBlep(q, dt);
    }
    case Wave::Triangle:
        return 1.0 - 4.0 * std::fabs(p - 0.5);
    case Wave::Noise:
        break;
    }
    return 0.0;
}

double envelope(const Voice& v, double t, double length) {
    double e = v.attack > 0.0 && t < v.attack ? t / v.attack : 1.0;
    if (v.decay > 0.0 && t > v.attack) {
        e *= detExp(-(t - v.attack) / v.decay);
    }
    const double left = length - t;
    if (v.release > 0.0 && left < v.release) {
        // A raised-cosine fall: no corner where it starts, none where it ends.
        e *= 0.5 - 0.5 * sinTurns(0.25 + 0.5 * std::max(0.0, left / v.release));
    }
    if (v.tremolo > 0.0) {
        e *= 1.0 - v.tremoloDepth * (0.5 + 0.5 * sinTurns(v.tremolo * t));
    }
    return e;
}

} // namespace

void Synth::addVoice(const Voice& v, double soundLength, std::vector<double>& out) {
    const double length = v.length > 0.0 ? v.length : soundLength - v.start;
    const auto first = static_cast<std::size_t>(std::lround(v.start * kRate));
    const auto count = static_cast<std::size_t>(std::lround(length * kRate));
    Noise noise(v.seed);
    double phase = 0.0;
    double held = noise.next();
    double low = 0.0;
    double high = 0.0;
    const double highCoefficient = v.highpass > 0.0 ? onePoleCoefficient(v.highpass) : 0.0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double u = t / length;
        double f = glide(v.from, v.to, u);
        if (v.vibrato > 0.0) {
            f *= detExp(v.vibratoDepth / 12.0 * kLn2 * sinTurns(v.vibrato * t));
        }
        const double dt = f / kRate;
        double x = 0.0;
        if (v.wave != Wave::Noise) {
            x = oscillator(v.wave, phase, dt, v.duty);
        } else if (f <= 0.0 || phase + dt >= 1.0) {
            held = noise.next();
            x = held;
        } else {
            x = held;
        }
        phase += dt;
        phase -= std::floor(phase);
        if (v.lowpass > 0.0) {
            low += onePoleCoefficient(glide(v.lowpass, v.lowpassTo, u)) * (x - low);
            x = low;
        }
        if (v.highpass > 0.0) {
            high += highCoefficient * (x - high);
            x -= high;
        }
        out[first + i] += v.gain * envelope(v, t, length) * x;
    }
}

// The tail past the loop length is blended over the head, so the last sample leads into the
// first one without a seam. Steady tones were tuned to whole periods, so head and tail are the
// same and a linear blend leaves them unchanged; noise is blended at equal power instead, so it
// does not dip in the middle of the blend.
void Synth::closeLoop(double length, double blend, bool equalPower, std::vector<double>& out) {
    const auto loop = static_cast<std::size_t>(std::lround(length * kRate));
    const auto span = static_cast<std::size_t>(std::lround(blend * kRate));
    for (std::size_t i = 0; i < span; ++i) {
        const double w = static_cast<double>(i) / static_cast<double>(span);
        const double head = equalPower ? sinTurns(0.25 * w) : w;
        const double tail = equalPower ? sinTurns(0.25 * (1.0 - w)) : 1.0 - w;
        out[i] = out[i] * head + out[loop + i] * tail;
    }
    out.resize(loop);
}

void Synth::fadeEnds(const SoundRecipe& recipe, std::vector<double>& out) {
    const auto in = static_cast<std::size_t>(std::lround(recipe.fadeIn * kRate));
    const auto fall = static_cast<std::size_t>(std::lround(recipe.fadeOut * kRate));
    const std::size_t n = out.size();
    for (std::size_t i = 0; i < n; ++i) {
        double g = 1.0;
        if (i < in) {
            g *= 0.5 - 0.5 * sinTurns(0.25 + 0.5 * static_cast<double>(i) / in);
        }
        if (n - 1 - i < fall) {
            g *= 0.5 - 0.5 * sinTurns(0.25 + 0.5 * static_cast<double>(n - 1 - i) / fall);
        }
        out[i] *= g;
    }
}

void Synth::normalise(double peakDb, std::vector<double>& out) {
    double peak = 0.0;
    for (double s : out) {
        peak = std::max(peak, std::fabs(s));
    }
    if (peak <= 0.0) {
        return;
    }
    const double scale = detExp(peakDb / 20.0 * detLog(10.0)) / peak;
    for (double& s : out) {
        s *= scale;
    }
}

namespace {

// A loop repeats exactly only when each steady tone fits a whole number of periods into it.
double wholePeriods(double f, double length) {
    return f <= 0.0 ? f : std::max(1.0, std::floor(f * length + 0.5)) / length;
}

} // namespace

// A one-pole high-pass on the whole mix. A loop is filtered twice round, keeping the second
// turn, so the filter's state at its end leads into its start and the seam stays closed.
void Synth::removeDc(bool periodic, std::vector<double>& out) {
    const double k = onePoleCoefficient(kDcCutoff);
    double low = 0.0;
    if (periodic) {
        for (double s : out) {
            low += k * (s - low);
        }
    }
    for (double& s : out) {
        low += k * (s - low);
        s -= low;
    }
}

std::vector<double> Synth::render(const SoundRecipe& recipe) {
    if (recipe.loopBlend > 0.0) {
        return renderLoop(recipe);
    }
    std::vector<double> out(static_cast<std::size_t>(std::lround(recipe.length * kRate)), 0.0);
    for (Voice v : recipe.voices) {
        v.release = std::max(v.release, kMinRelease);
        addVoice(v, recipe.length, out);
    }
    removeDc(false, out);
    fadeEnds(recipe, out);
    normalise(recipe.peakDb, out);
    return out;
}

// Each voice is rendered past the loop end and closed on its own, tones and noise differently.
std::vector<double> Synth::renderLoop(const SoundRecipe& recipe) {
    const double total = recipe.length + recipe.loopBlend;
    std::vector<double> out(static_cast<std::size_t>(std::lround(recipe.length * kRate)), 0.0);
    for (Voice v : recipe.voices) {
        v.from = wholePeriods(v.from, recipe.length);
        v.to = -1.0;
        v.vibrato = 0.0; // a wobbling pitch would not come back to its phase
        v.tremolo = wholePeriods(v.tremolo, recipe.length);
        v.start = 0.0;
        v.length = -1.0;
        v.release = 0.0;
        std::vector<double> part(static_cast<std::size_t>(std::lround(total * kRate)), 0.0);
        addVoice(v, total, part);
        closeLoop(recipe.length, recipe.loopBlend, v.wave == Wave::Noise, part);
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] += part[i];
        }
    }
    removeDc(true, out);
    normalise(recipe.peakDb, out);
    return out;
}

} // namespace assetgen
