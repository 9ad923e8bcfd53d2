// Every projectile: orb shots, main-gun shots and enemy shots, one kind so each can reuse the
// others.
#pragma once

#include <cstdint>

#include "world/element.h"

struct Sprite;

class Shot : public Element {
  public:
    static constexpr int32_t kOrbShot = 0;
    static constexpr int32_t kMainGunShot = 1;
    static constexpr int32_t kEnemyShot = 2;
    // Enemy shots fly a pixel and a half a frame, aimed by the enemy that fires them.
    static constexpr double kEnemyShotSpeed = 1.5 * kFixOne;

    Shot(World* env, Graphics* graphics, int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t dir,
         int32_t variant);
    // Used on construction and when a retired shot is reused.
    void init(World* env, Graphics* graphics, int32_t x, int32_t y, int32_t vx, int32_t vy,
              int32_t dir, int32_t variant);

    bool update() override;
    void draw() const override;
    void writeFields(FieldWriter& out) const override;

    const Sprite* sprite = nullptr;
    int32_t variant = 0;
    int32_t dir = 0;
    int32_t damage = 0;

  private:
    // True when a hit message arrived: an orb absorbed the shot.
    bool takeHits();
    // Posts a hit to the first suitable target under the hit box; true when one was found.
    bool hitTarget();
    void pickSprite();
};
