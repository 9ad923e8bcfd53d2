// A-weighting as a cascade of first-order sections (the analogue curve's poles at 20.6, 107.7,
// 737.9 and 12194 Hz through the bilinear transform), normalised to 0 dB at 1 kHz.
#include "loudness.h"

#include "det_math.h"
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>

namespace assetgen {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

// y = b0 x + b1 x' - a1 y'
struct Section {
    double b0, b1, a1;
    double x1 = 0.0, y1 = 0.0;
    double step(double x) {
        const double y = b0 * x + b1 * x1 - a1 * y1;
        x1 = x;
        y1 = y;
        return y;
    }
    std::complex<double> response(double f) const {
        const std::complex<double> z = std::polar(1.0, -kTwoPi * f / Synth::kRate);
        return (b0 + b1 * z) / (1.0 + a1 * z);
    }
};

// s / (s + w) for a high-pass pole, w / (s + w) for a low-pass one.
Section section(double poleHz, bool highPass) {
    const double k = 2.0 * Synth::kRate;
    const double w = kTwoPi * poleHz;
    const double a1 = (w - k) / (k + w);
    return highPass ? Section{k / (k + w), -k / (k + w), a1}
                    : Section{w / (k + w), w / (k + w), a1};
}

std::vector<Section> aWeighting() {
    std::vector<Section> s{section(20.6, true),  section(20.6, true),     section(107.7, true),
                           section(737.9, true), section(12194.0, false), section(12194.0, false)};
    std::complex<double> at1k = 1.0;
    for (const Section& x : s)
        at1k *= x.response(1000.0);
    const double norm = 1.0 / std::abs(at1k);
    s[0].b0 *= norm;
    s[0].b1 *= norm;
    return s;
}

// The sound as heard: read at rate percent of its own speed, linearly between samples.
std::vector<double> resampled(const std::vector<double>& in, double step, double gain) {
    std::vector<double> out;
    for (double at = 0.0; at + 1.0 < static_cast<double>(in.size()); at += step) {
        const auto i = static_cast<std::size_t>(at);
        const double f = at - static_cast<double>(i);
        out.push_back(gain * (in[i] * (1.0 - f) + in[i + 1] * f));
    }
    return out;
}

} // namespace

const std::vector<PlayedAs>& Loudness::asPlayed() {
    static const std::vector<PlayedAs> list{
        {"pshot", 20, 100},  {"eshot", 15, 100}, {"boom", 40, 100},  {"crash", 50, 100},
        {"ehit", 20, 100},   {"die", 70, 25},    {"level", 30, 100}, {"lock", 20, 150},
        {"orbhit", 20, 100}, {"ambient", 40, 25}};
    return list;
}

double Loudness::level(const std::vector<double>& samples, const PlayedAs& played) {
    std::vector<double> heard = resampled(samples, played.rate / 100.0, played.volume / 100.0);
    // A loop is heard over and over: two turns, so the filter has settled in the second.
    if (std::string(played.name) == "ambient")
        heard.insert(heard.end(), heard.begin(), heard.end());
    for (Section& s : aWeighting())
        for (double& x : heard)
            x = s.step(x);
    const auto window = static_cast<std::size_t>(Synth::kRate / 10.0);
    double sum = 0.0, loudest = 0.0;
    for (std::size_t i = 0; i < heard.size(); ++i) {
        sum += heard[i] * heard[i];
        if (i >= window) sum -= heard[i - window] * heard[i - window];
        loudest = std::max(loudest, sum);
    }
    const double rms = std::sqrt(std::max(loudest, 1e-20) / static_cast<double>(window));
    return 20.0 * std::log10(rms);
}

std::string Loudness::table(const std::map<std::string, std::vector<double>>& sounds) {
    std::vector<std::pair<double, std::string>> lines;
    for (const PlayedAs& p : asPlayed()) {
        const auto found = sounds.find(p.name);
        if (found == sounds.end()) continue;
        char line[128];
        const double dB = level(found->second, p);
        std::snprintf(line, sizeof line, "%-8s %6.1f dB(A)  at volume %d, rate %d%%\n", p.name, dB,
                      p.volume, p.rate);
        lines.emplace_back(-dB, line);
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const auto& l : lines)
        text += l.second;
    return text;
}

} // namespace assetgen
