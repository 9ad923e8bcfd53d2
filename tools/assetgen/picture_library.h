// Builds pictures from their text sources: pixel maps with a legend, and pictures drawn from
// other pictures turned or mirrored.
#pragma once

#include "image.h"
#include "palette.h"

#include <map>
#include <set>
#include <string>

namespace assetgen {

class PictureLibrary {
  public:
    // dir holds one "<name>.txt" per picture; helper pictures are never written out themselves.
    PictureLibrary(std::string dir, const Palette& palette);

    // The finished picture, or false with a message naming the file and line.
    bool get(const std::string& name, Image& picture, std::string& error);

  private:
    bool build(const std::string& name, Image& picture, std::string& error);

    std::string dir_;
    const Palette& palette_;
    std::map<std::string, Image> done_;
    std::set<std::string> building_; // catches pictures drawn from themselves
};

} // namespace assetgen
