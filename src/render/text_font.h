// The overlay's pixel font: the glyphs of font.tga, drawn a run of pixels at a time with boxes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/draw.h"

class TextFont {
  public:
    // The picture holds the characters 32 to 127 in a grid of 16 columns and 6 rows of cells.
    static constexpr int kColumns = 16;
    static constexpr int kRows = 6;
    static constexpr int kMaxGlyphWidth = 16;

    // False, leaving the font empty, when the picture is missing or not a glyph grid.
    bool load(const std::string& path);
    bool loaded() const { return cellWidth_ > 0; }
    // Letters show as capitals; characters the font lacks as blanks. Nothing is drawn without
    // a font.
    // Each font pixel is scale by scale screen pixels.
    void draw(int32_t x, int32_t y, std::string_view text, RgbInt color, int32_t scale = 1) const;
    int32_t width(std::string_view text, int32_t scale = 1) const {
        return static_cast<int32_t>(text.size()) * cellWidth_ * scale;
    }
    int32_t lineHeight(int32_t scale = 1) const { return (cellHeight_ + 1) * scale; }

  private:
    size_t glyphRow(int code, int32_t row) const;
    void drawGlyph(int32_t x, int32_t y, int code, RgbInt color, int32_t scale) const;

    int32_t cellWidth_ = 0; // a glyph and the pixel of space after it
    int32_t cellHeight_ = 0;
    std::vector<uint16_t> rows_; // per character and glyph row: bit x set where ink is
};
