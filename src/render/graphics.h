// Every image of the game in its sprite slots, the shared palette and the colour-cycle counter.
#pragma once

#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "render/sprite.h"

class Graphics {
  public:
    static constexpr int kSlots = 1000;
    static constexpr int kPaletteSize = 9;

    // Loads the 49 images from folder in their fixed order; without uploads no texture is made
    // (the headless program), but every field still refers to its sprite slot.
    explicit Graphics(bool uploadTextures = true, const std::string& folder = "data");
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // First free slot filled from the file; null when all 1000 slots are taken.
    Sprite* loadSprite(const char* path, bool makeTint);
    // Palette entry cycle / 3 + 1: the flashing colour at a step (0 to 23) of the colour cycle.
    Rgb cycleColor(int32_t cycle) const { return palette[cycle / 3 + 1]; }

    Rgb palette[kPaletteSize];
    Sprite sprites[kSlots];
    Sprite* tileImages[100] = {};
    Sprite* digitImages[10] = {};
    Sprite* titleGlyphs[5] = {};
    Sprite* logoImage = nullptr;
    Sprite* gameOverImage = nullptr;
    Sprite* hiImage = nullptr;
    Sprite* shipImages[2] = {};
    Sprite* shotImages[8] = {};
    Sprite* playerShotImage = nullptr;
    Sprite* orbImages[8] = {};
    Sprite* linkImage = nullptr;
    Sprite* explosionImages[4] = {};
    Sprite* enemyImages[2] = {};
    Sprite* enemyShotImage = nullptr;

  private:
    bool uploadTextures_;
};
