// Pictures saved as PNG files: the review sheet and the program's icons.
#pragma once

#include "image.h"

#include <string>

namespace assetgen {

class PngWriter {
  public:
    // Writes RGBA with the picture's alpha, or fully opaque; false when the file cannot be
    // written. The same picture always gives the same bytes.
    static bool save(const Image& picture, const std::string& path, bool keepAlpha);
};

} // namespace assetgen
