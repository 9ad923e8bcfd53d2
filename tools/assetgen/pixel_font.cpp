// Glyphs as five rows of three characters; lower case letters print as capitals.
#include "pixel_font.h"

#include <cctype>
#include <map>

namespace assetgen {

namespace {

using Glyph = const char*; // 15 characters, row by row, 'x' is ink

const std::map<char, Glyph>& glyphs() {
    static const std::map<char, Glyph> table{
        {'A', ".x.x.xxxxx.xx.x"}, {'B', "xx.x.xxx.x.xxx."}, {'C', ".xxx..x..x...xx"},
        {'D', "xx.x.xx.xx.xxx."}, {'E', "xxxx..xx.x..xxx"}, {'F', "xxxx..xx.x..x.."},
        {'G', ".xxx..x.xx.x.xx"}, {'H', "x.xx.xxxxx.xx.x"}, {'I', "xxx.x..x..x.xxx"},
        {'J', "..x..x..xx.x.x."}, {'K', "x.xx.xxx.x.xx.x"}, {'L', "x..x..x..x..xxx"},
        {'M', "x.xxxxxxxx.xx.x"}, {'N', "xx.x.xx.xx.xx.x"}, {'O', ".x.x.xx.xx.x.x."},
        {'P', "xx.x.xxx.x..x.."}, {'Q', ".x.x.xx.xxx..xx"}, {'R', "xx.x.xxx.x.xx.x"},
        {'S', ".xxx...x...xxx."}, {'T', "xxx.x..x..x..x."}, {'U', "x.xx.xx.xx.xxxx"},
        {'V', "x.xx.xx.xx.x.x."}, {'W', "x.xx.xxxxxxxx.x"}, {'X', "x.xx.x.x.x.xx.x"},
        {'Y', "x.xx.x.x..x..x."}, {'Z', "xxx..x.x.x..xxx"}, {'0', "xxxx.xx.xx.xxxx"},
        {'1', ".x.xx..x..x.xxx"}, {'2', "xx...x.x.x..xxx"}, {'3', "xx...x.x...xxx."},
        {'4', "x.xx.xxxx..x..x"}, {'5', "xxxx..xx...xxx."}, {'6', ".xxx..xxxx.xxxx"},
        {'7', "xxx..x.x..x..x."}, {'8', "xxxx.xxxxx.xxxx"}, {'9', "xxxx.xxxx..xxx."},
        {'_', "............xxx"}, {'.', ".............x."}, {'-', "......xxx......"},
        {' ', "..............."}};
    return table;
}

void fillBlock(Image& canvas, int x, int y, int scale, Rgba ink) {
    for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
            if (canvas.inside(x + dx, y + dy)) {
                canvas.set(x + dx, y + dy, ink);
            }
        }
    }
}

} // namespace

void PixelFont::write(Image& canvas, int x, int y, const std::string& text, int scale, Rgba ink) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        const auto it = glyphs().find(c);
        const Glyph g = it == glyphs().end() ? glyphs().at('-') : it->second;
        const int left = x + static_cast<int>(i) * kAdvance * scale;
        for (int row = 0; row < kHeight; ++row) {
            for (int col = 0; col < kWidth; ++col) {
                if (g[row * kWidth + col] == 'x') {
                    fillBlock(canvas, left + col * scale, y + row * scale, scale, ink);
                }
            }
        }
    }
}

int PixelFont::textWidth(const std::string& text, int scale) {
    return static_cast<int>(text.size()) * kAdvance * scale - scale;
}

} // namespace assetgen
