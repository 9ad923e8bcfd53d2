// Renders a sound recipe into samples: voices summed, faded or looped, then normalised.
#pragma once

#include "sound_recipe.h"

#include <vector>

namespace assetgen {

class Synth {
  public:
    static constexpr double kRate = 44100.0;
    // Every voice of a one-shot sound ends with at least this release, so none stops dead.
    static constexpr double kMinRelease = 0.004;
    // The mix's high-pass against a DC offset.
    static constexpr double kDcCutoff = 20.0;

    // Samples in -1..1, the loudest exactly at the recipe's peak.
    static std::vector<double> render(const SoundRecipe& recipe);

  private:
    static std::vector<double> renderLoop(const SoundRecipe& recipe);
    static void addVoice(const Voice& voice, double soundLength, std::vector<double>& out);
    static void removeDc(bool periodic, std::vector<double>& out);
    static void closeLoop(double length, double blend, bool equalPower, std::vector<double>& out);
    static void fadeEnds(const SoundRecipe& recipe, std::vector<double>& out);
    static void normalise(double peakDb, std::vector<double>& out);
};

} // namespace assetgen
