// The enemy craft: enters from the right, weaves on a sine wave, fires aimed shots, explodes.
#pragma once

#include <cstdint>

#include "world/element.h"

struct Sprite;

class Enemy : public Element {
  public:
    static constexpr int32_t kHitPoints = 5;
    static constexpr int32_t kAnimFrames = 6; // two pictures, three frames each

    Enemy(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY);
    // Used on construction and when a retired enemy is reused.
    void init(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY);

    bool update() override;
    void draw() const override;
    void writeFields(FieldWriter& out) const override;

    const Sprite* sprite = nullptr;
    float phase = 0.0f;
    int32_t baseY = 0;
    int32_t hitPoints = 0;
    int32_t flashTimer = 0;
    int32_t animCounter = 0;
    int32_t fireTimer = 0;

  protected:
    // For kinds built on the enemy, which start themselves.
    Enemy() { categories[0] = kCategoryEnemy; }
    // The inbox: false when the hits destroyed it (scored, counted and exploded).
    bool takeHits();

  private:
    // Frames between shots at the current level.
    int32_t firePeriod() const;
    void explode();
    void fireAtShip();
};
