// Turns the sources under assets/ into the game's data files and the review sheet.
#pragma once

#include "image.h"

#include <map>
#include <string>
#include <vector>

namespace assetgen {

class AssetGenerator {
  public:
    explicit AssetGenerator(std::string assetsDir);

    // Reads every picture and sound source; false with a message on the first fault.
    bool build(std::string& error);
    // Writes <dir>/<name>.tga and <dir>/sfx/<name>.wav, creating the folders.
    bool writeData(const std::string& dir, std::string& error) const;
    bool writeSheet(const std::string& path, std::string& error) const;
    // Writes the program's icon as <dir>/<N>x<N>/apps/<name>.png at every size of kIconSizes,
    // each a whole-number enlargement of the 16 x 16 source.
    bool writeIcons(const std::string& dir, std::string& error) const;

    const std::map<std::string, std::vector<double>>& sounds() const { return sounds_; }

    static constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 192, 256, 512};
    static constexpr const char* kIconName = "io.orvane.Orvane";

  private:
    std::string assetsDir_;
    Image icon_;
    std::map<std::string, Image> pictures_;
    std::map<std::string, std::vector<double>> sounds_;
};

} // namespace assetgen
