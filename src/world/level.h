// The scrolling cave band: fine scroll, generated wall tiles, two star layers and the spawn timer.
#pragma once

#include <cstdint>

#include "base/geometry.h"

class Graphics;
class World;

class Level {
  public:
    static constexpr int kColumns = 41;
    static constexpr int kRows = 16;
    static constexpr int kStars = 100;
    static constexpr int kBandTop = 56;
    static constexpr int kBandBottom = kBandTop + 8 * kRows; // 184, the first row below it

    // Every field back to its start value, stars placed at random.
    void init();
    // Scroll, generate a column every 8 pixels, move the stars, run the enemy spawner.
    void update(World& world);
    // True when the rectangle overlaps a solid tile.
    bool tileHit(const Rect& rect) const;
    // Stars and tiles on layer 0; nothing on other layers.
    void drawLevel(Graphics& graphics, int32_t layer) const;

    int8_t tile(int column, int row) const { return static_cast<int8_t>(tiles[column][row]); }

    int32_t widthScreens = 8;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
    int32_t scrollSpeedX = kFixOne;
    int32_t scrollSpeedY = 0;
    int32_t maxScrollX = toFixed(4480); // 14 screens of 320 pixels
    int32_t maxScrollY = 0;
    int32_t spawnTimer = 150;
    MoveRec stars[kStars] = {};
    uint8_t tiles[kColumns][kRows] = {};
    int32_t topWall = -16;
    int32_t topWallSpeed = 0;
    int32_t bottomWall = -16;
    int32_t bottomWallSpeed = 0;

  private:
    void advanceColumn();
    void moveStars();
    // The enemy spawner: a new enemy at the right edge whenever its timer runs out.
    void spawnEnemies(World& world);
};
