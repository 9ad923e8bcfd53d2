// A still of the game drawn from the generated pictures, to judge them together at 2x scale.
#pragma once

#include "image.h"

#include <map>
#include <string>

namespace assetgen {

class ScenePreview {
  public:
    // A 640 x 480 picture: playfield, cave walls, ship with chain and orbs, enemies, shots,
    // explosion, title ticker and score area.
    static Image draw(const std::map<std::string, Image>& pictures);
    // The playfield after the game ends, the game-over tile multiplied over it, at 2x scale.
    static Image gameOver(const std::map<std::string, Image>& pictures);

  private:
    static void background(Image& screen);
    static void walls(Image& screen, const std::map<std::string, Image>& pictures);
    static void actors(Image& screen, const std::map<std::string, Image>& pictures);
    static void borders(Image& screen, const std::map<std::string, Image>& pictures);
};

} // namespace assetgen
