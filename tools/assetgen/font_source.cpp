// Reads "cell W H" and then "glyph NAME" blocks of H rows of W pixels.
#include "font_source.h"

#include "text_lines.h"

namespace assetgen {

namespace {

// The character a glyph name stands for; -1 when it names none the sheet holds.
int glyphCode(const std::string& name) {
    if (name == "space") return ' ';
    if (name == "hash") return '#';
    if (name.size() != 1) return -1;
    const int code = static_cast<unsigned char>(name[0]);
    return code > ' ' && code < FontSource::kFirst + FontSource::kCount ? code : -1;
}

} // namespace

bool FontSource::load(const std::string& path, std::string& error) {
    TextLines text;
    if (!text.load(path, error)) return false;
    const auto fail = [&](const TextLine& line, const std::string& what) {
        error = path + ":" + std::to_string(line.number) + ": " + what;
        return false;
    };
    std::vector<std::string>* glyph = nullptr;
    for (const TextLine& line : text.lines()) {
        const auto& w = line.words;
        if (w.size() == 3 && w[0] == "cell") {
            if (!parseInt(w[1], width_) || !parseInt(w[2], height_) || width_ < 1 || height_ < 1)
                return fail(line, "bad cell size");
        } else if (w.size() == 2 && w[0] == "glyph") {
            const int code = glyphCode(w[1]);
            if (code < 0 || width_ == 0) return fail(line, "bad glyph name or no cell size yet");
            if (glyphs_.count(code) != 0) return fail(line, "glyph given twice");
            glyph = &glyphs_[code];
        } else if (w.size() == 1 && glyph != nullptr &&
                   glyph->size() < static_cast<size_t>(height_) &&
                   w[0].size() == static_cast<size_t>(width_) &&
                   w[0].find_first_not_of("X.") == std::string::npos) {
            glyph->push_back(w[0]);
        } else {
            return fail(line, "expected a row of " + std::to_string(width_) + " X or . pixels");
        }
    }
    for (const auto& [code, rows] : glyphs_)
        if (rows.size() != static_cast<size_t>(height_))
            return fail({}, "glyph " + std::string(1, static_cast<char>(code)) + " is short");
    return true;
}

Image FontSource::sheet() const {
    const int cellW = width_ + 1;
    const int cellH = height_ + 1;
    Image image(kColumns * cellW, (kCount / kColumns) * cellH);
    image.setSoftAlpha(true);
    for (const auto& [code, rows] : glyphs_) {
        const int x0 = (code - kFirst) % kColumns * cellW;
        const int y0 = (code - kFirst) / kColumns * cellH;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == 'X')
                    image.set(x0 + x, y0 + y, {255, 255, 255, 255});
    }
    return image;
}

} // namespace assetgen
