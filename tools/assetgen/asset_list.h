// The names of every picture and sound the game loads, and which pictures get a tint variant.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

struct PictureEntry {
    std::string name; // data/<name>.tga
    bool tinted;      // the game also builds its pale flash variant
};

class AssetList {
  public:
    static const std::vector<PictureEntry>& pictures();
    static const std::vector<std::string>& sounds(); // data/sfx/<name>.wav
};

} // namespace assetgen
