// Reading the glyph grid into bit rows and drawing text from them.
#include "render/text_font.h"

#include <cctype>
#include <cstddef>

#include "render/sprite.h"
#include "render/tga.h"

namespace {
constexpr int kFirstCode = 32;
constexpr int kCodes = TextFont::kColumns * TextFont::kRows;
} // namespace

size_t TextFont::glyphRow(int code, int32_t row) const {
    return static_cast<size_t>(code) * static_cast<size_t>(cellHeight_ > 0 ? cellHeight_ : 1) +
           static_cast<size_t>(row);
}

bool TextFont::load(const std::string& path) {
    Sprite picture;
    if (!readTga(picture, path.c_str(), false, false)) return false;
    const int32_t cellW = picture.width / kColumns;
    const int32_t cellH = picture.height / kRows;
    const bool grid = cellW >= 2 && cellH >= 2 && cellW <= kMaxGlyphWidth &&
                      cellW * kColumns == picture.width && cellH * kRows == picture.height;
    if (grid) {
        cellHeight_ = cellH;
        rows_.assign(static_cast<size_t>(kCodes) * static_cast<size_t>(cellH), 0);
        for (int32_t y = 0; y < picture.height; ++y) {
            for (int32_t x = 0; x < picture.width; ++x) {
                const uint32_t alpha =
                    picture.pixels[static_cast<std::ptrdiff_t>(y) * picture.width + x] >> 24;
                const int code = y / cellH * kColumns + x / cellW;
                if (alpha >= 128) rows_[glyphRow(code, y % cellH)] |= 1u << (x % cellW);
            }
        }
        cellWidth_ = cellW;
    }
    delete[] picture.pixels;
    return grid;
}

// Each unbroken run of ink in a row is one box, so a letter costs a handful of them.
void TextFont::drawGlyph(int32_t x, int32_t y, int code, RgbInt color, int32_t scale) const {
    for (int32_t row = 0; row < cellHeight_; ++row) {
        const uint32_t bits = rows_[glyphRow(code, row)];
        for (int32_t start = 0; start < cellWidth_;) {
            if ((bits >> start & 1u) == 0) {
                ++start;
                continue;
            }
            int32_t end = start;
            while (end < cellWidth_ && (bits >> end & 1u) != 0)
                ++end;
            drawBox(x + start * scale, y + row * scale, (end - start) * scale, scale, color);
            start = end;
        }
    }
}

void TextFont::draw(int32_t x, int32_t y, std::string_view text, RgbInt color,
                    int32_t scale) const {
    if (!loaded()) return;
    for (char c : text) {
        const int code = std::toupper(static_cast<unsigned char>(c)) - kFirstCode;
        if (code > 0 && code < kCodes) drawGlyph(x, y, code, color, scale);
        x += cellWidth_ * scale;
    }
}
