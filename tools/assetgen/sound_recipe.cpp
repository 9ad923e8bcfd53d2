// Sound recipe reading: "length", "peak", "fade", "loop" and "voice WAVE key=value ..." lines.
#include "sound_recipe.h"

#include "text_lines.h"

#include <map>

namespace assetgen {

namespace {

bool parseWave(const std::string& word, Wave& wave) {
    static const std::map<std::string, Wave> names{{"sine", Wave::Sine},
                                                   {"square", Wave::Square},
                                                   {"saw", Wave::Saw},
                                                   {"tri", Wave::Triangle},
                                                   {"noise", Wave::Noise}};
    const auto it = names.find(word);
    if (it == names.end()) {
        return false;
    }
    wave = it->second;
    return true;
}

double* voiceField(Voice& v, const std::string& key) {
    const std::map<std::string, double*> fields{{"start", &v.start},
                                                {"len", &v.length},
                                                {"gain", &v.gain},
                                                {"from", &v.from},
                                                {"to", &v.to},
                                                {"attack", &v.attack},
                                                {"decay", &v.decay},
                                                {"release", &v.release},
                                                {"lp", &v.lowpass},
                                                {"lpto", &v.lowpassTo},
                                                {"hp", &v.highpass},
                                                {"vib", &v.vibrato},
                                                {"vibdepth", &v.vibratoDepth},
                                                {"trem", &v.tremolo},
                                                {"tremdepth", &v.tremoloDepth},
                                                {"duty", &v.duty}};
    const auto it = fields.find(key);
    return it == fields.end() ? nullptr : it->second;
}

bool parseVoice(const std::vector<std::string>& w, Voice& v) {
    if (w.size() < 2 || !parseWave(w[1], v.wave)) {
        return false;
    }
    for (std::size_t i = 2; i < w.size(); ++i) {
        const std::size_t eq = w[i].find('=');
        if (eq == std::string::npos) {
            return false;
        }
        const std::string key = w[i].substr(0, eq);
        const std::string value = w[i].substr(eq + 1);
        if (key == "seed") {
            int seed = 0;
            if (!parseInt(value, seed) || seed <= 0) {
                return false;
            }
            v.seed = static_cast<unsigned>(seed);
            continue;
        }
        double* field = voiceField(v, key);
        if (field == nullptr || !parseNumber(value, *field)) {
            return false;
        }
    }
    return true;
}

bool parseNumbers(const std::vector<std::string>& w, std::size_t count, double* a, double* b) {
    if (w.size() != count + 1 || !parseNumber(w[1], *a)) {
        return false;
    }
    return count == 1 || parseNumber(w[2], *b);
}

} // namespace

bool SoundRecipe::load(const std::string& path, std::string& error) {
    TextLines text;
    if (!text.load(path, error)) {
        return false;
    }
    for (const TextLine& line : text.lines()) {
        const auto& w = line.words;
        bool ok = false;
        if (w[0] == "length") {
            ok = parseNumbers(w, 1, &length, nullptr) && length > 0.0 && length < 10.0;
        } else if (w[0] == "peak") {
            ok = parseNumbers(w, 1, &peakDb, nullptr) && peakDb < -1.0;
        } else if (w[0] == "fade") {
            ok = parseNumbers(w, 2, &fadeIn, &fadeOut);
        } else if (w[0] == "loop") {
            ok = parseNumbers(w, 1, &loopBlend, nullptr) && loopBlend > 0.0;
        } else if (w[0] == "voice") {
            Voice v;
            v.seed = static_cast<unsigned>(voices.size() + 1);
            ok = parseVoice(w, v);
            voices.push_back(v);
        }
        if (!ok) {
            error =
                path + ":" + std::to_string(line.number) + ": cannot read \"" + line.text + "\"";
            return false;
        }
    }
    if (voices.empty()) {
        error = path + ": no voices";
        return false;
    }
    return true;
}

} // namespace assetgen
