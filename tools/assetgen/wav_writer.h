// Saves a sound as the game plays it: 16-bit PCM, mono, 44100 Hz WAV.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

class WavWriter {
  public:
    static constexpr int kRate = 44100;

    // Samples are -1..1; they are rounded to the nearest 16-bit step.
    static std::vector<unsigned char> encode(const std::vector<double>& samples);
    static bool save(const std::vector<double>& samples, const std::string& path);
};

} // namespace assetgen
