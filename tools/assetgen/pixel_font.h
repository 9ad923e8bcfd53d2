// A tiny 3 x 5 capital font for the labels of the contact sheet.
#pragma once

#include "image.h"

#include <string>

namespace assetgen {

class PixelFont {
  public:
    static constexpr int kWidth = 3;
    static constexpr int kHeight = 5;
    static constexpr int kAdvance = 4;

    // Writes text with its top-left corner at (x, y), each font pixel a scale x scale block.
    static void write(Image& canvas, int x, int y, const std::string& text, int scale, Rgba ink);
    static int textWidth(const std::string& text, int scale);
};

} // namespace assetgen
