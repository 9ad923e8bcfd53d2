// A review sheet: a mock frame of the game at its window size, then every picture at four times
// its size with its name, and the pale flash variant beside the pictures that have one.
#pragma once

#include "image.h"

#include <map>
#include <string>

namespace assetgen {

class ContactSheet {
  public:
    // pictures holds all 49 by name; false when the PNG cannot be written.
    static bool save(const std::map<std::string, Image>& pictures, const std::string& path);

    // The flash variant the game derives: grey v = 300 - (R + G + B) / 4, at most 255.
    static Image paleVariant(const Image& picture);

    // Draws a picture at (x, y) scaled by a whole factor, blended by its alpha.
    static void blit(Image& canvas, const Image& picture, int x, int y, int scale,
                     bool mirror = false);
};

} // namespace assetgen
