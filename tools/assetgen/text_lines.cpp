// Line splitting and number parsing shared by the picture and sound sources.
#include "text_lines.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace assetgen {

bool TextLines::load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    lines_.clear();
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        const std::size_t hash = raw.find('#');
        if (hash != std::string::npos) {
            raw.erase(hash);
        }
        TextLine line{number, raw, {}};
        std::istringstream words(raw);
        for (std::string word; words >> word;) {
            line.words.push_back(word);
        }
        if (!line.words.empty()) {
            lines_.push_back(line);
        }
    }
    return true;
}

bool parseInt(const std::string& word, int& value) {
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool parseNumber(const std::string& word, double& value) {
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

} // namespace assetgen
