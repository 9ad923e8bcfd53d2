// Palette file reading. The key colour is not a palette entry: transparency is spelled "clear".
#include "palette.h"

#include "text_lines.h"

namespace assetgen {

namespace {

bool parseChannel(const std::string& word, std::uint8_t& channel) {
    int value = 0;
    if (!parseInt(word, value) || value < 0 || value > 255) {
        return false;
    }
    channel = static_cast<std::uint8_t>(value);
    return true;
}

} // namespace

bool Palette::load(const std::string& path, std::string& error) {
    TextLines text;
    if (!text.load(path, error)) {
        return false;
    }
    colours_.clear();
    colours_["clear"] = Rgba{0, 0, 0, 0};
    for (const TextLine& line : text.lines()) {
        const auto& w = line.words;
        Rgba c{0, 0, 0, 255};
        const bool sized = w.size() == 4 || w.size() == 5;
        if (!sized || !parseChannel(w[1], c.r) || !parseChannel(w[2], c.g) ||
            !parseChannel(w[3], c.b) || (w.size() == 5 && !parseChannel(w[4], c.a))) {
            error = path + ":" + std::to_string(line.number) + ": expected name r g b [alpha]";
            return false;
        }
        if (c.r == 48 && c.g == 0 && c.b == 48) {
            error = path + ":" + std::to_string(line.number) + ": that is the key colour";
            return false;
        }
        if (!colours_.emplace(w[0], c).second) {
            error = path + ":" + std::to_string(line.number) + ": colour named twice";
            return false;
        }
    }
    return true;
}

bool Palette::find(const std::string& name, Rgba& colour) const {
    const auto it = colours_.find(name);
    if (it == colours_.end()) {
        return false;
    }
    colour = it->second;
    return true;
}

} // namespace assetgen
