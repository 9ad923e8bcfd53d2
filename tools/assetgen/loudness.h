// How loud each sound is as the game plays it: resampled at its rate, scaled by its volume, then
// A-weighted (the ear's response), its loudest tenth of a second as an RMS level in dBFS.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace assetgen {

struct PlayedAs {
    const char* name;
    int volume; // percent, as the game asks for it
    int rate;   // percent of the file's rate (the ambient loop: 25, played at 11025 Hz)
};

class Loudness {
  public:
    // The game's own volumes and rates of every sound.
    static const std::vector<PlayedAs>& asPlayed();
    // The level in dB relative to full scale.
    static double level(const std::vector<double>& samples, const PlayedAs& played);
    // One line per sound, loudest first: "boom -21.3 dB(A) at volume 40, rate 100%".
    static std::string table(const std::map<std::string, std::vector<double>>& sounds);
};

} // namespace assetgen
