// A sound effect written as a few voices (oscillators or noise) with pitch glides, envelopes
// and filters, read from a small text file.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

enum class Wave { Sine, Square, Saw, Triangle, Noise };

struct Voice {
    Wave wave = Wave::Sine;
    double start = 0.0;   // seconds from the start of the sound
    double length = -1.0; // seconds; below 0 it lasts to the end of the sound
    double gain = 1.0;
    double from = 440.0;   // pitch at the start, Hz (noise: new value this often; 0 every sample)
    double to = -1.0;      // pitch at the end, Hz, glided exponentially; below 0 the same as from
    double attack = 0.001; // seconds of linear rise
    double decay = 0.0;    // time constant of the exponential fall, seconds; 0 holds
    double release = 0.005;
    double lowpass = 0.0; // one-pole cut-off, Hz; 0 none
    double lowpassTo = -1.0;
    double highpass = 0.0;
    double vibrato = 0.0;      // rate, Hz
    double vibratoDepth = 0.0; // semitones
    double tremolo = 0.0;      // rate, Hz
    double tremoloDepth = 0.0; // 0..1
    double duty = 0.5;         // square waves
    unsigned seed = 1;         // noise
};

struct SoundRecipe {
    double length = 0.1;    // seconds
    double peakDb = -3.0;   // loudest sample after normalising, dBFS
    double fadeIn = 0.002;  // seconds
    double fadeOut = 0.01;  // seconds
    double loopBlend = 0.0; // above 0: a seamless loop, tail blended into the head over this long
    std::vector<Voice> voices;

    // False with a message naming the file and line.
    bool load(const std::string& path, std::string& error);
};

} // namespace assetgen
