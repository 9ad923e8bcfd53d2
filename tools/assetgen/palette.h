// The one set of named colours every picture of the game is drawn with.
#pragma once

#include "image.h"

#include <map>
#include <string>

namespace assetgen {

class Palette {
  public:
    // Lines "name r g b [alpha]"; false with a message on a bad line or a repeated name.
    bool load(const std::string& path, std::string& error);
    bool find(const std::string& name, Rgba& colour) const;

  private:
    std::map<std::string, Rgba> colours_;
};

} // namespace assetgen
