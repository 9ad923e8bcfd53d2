// The overlay's pixel font: glyphs read from a text source and laid out on one picture.
#pragma once

#include "image.h"

#include <map>
#include <string>
#include <vector>

namespace assetgen {

class FontSource {
  public:
    // Glyphs of characters 32 to 127 sit in a grid of 16 columns, each cell a glyph and a
    // pixel of space to its right and below.
    static constexpr int kColumns = 16;
    static constexpr int kFirst = 32;
    static constexpr int kCount = 96;

    // False with "file:line: what is wrong" in error.
    bool load(const std::string& path, std::string& error);
    // White opaque ink on a clear ground.
    Image sheet() const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::map<int, std::vector<std::string>> glyphs_; // rows of 'X' and '.' by character
};

} // namespace assetgen
