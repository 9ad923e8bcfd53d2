// Saves a picture as the game reads it: uncompressed true-colour Targa, bottom row first.
#pragma once

#include "image.h"

#include <string>
#include <vector>

namespace assetgen {

class TgaWriter {
  public:
    // 24 bits with transparent pixels in the key colour (48, 0, 48), or 32 bits with alpha.
    static std::vector<unsigned char> encode(const Image& picture);
    static bool save(const Image& picture, const std::string& path);
};

} // namespace assetgen
