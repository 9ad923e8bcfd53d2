// The lab's target dummy: an enemy standing still at its place, taking hits, never firing.
#pragma once

#include <cstdint>

#include "elements/enemy.h"

class Dummy : public Enemy {
  public:
    // The frames a destroyed dummy waits before it stands again.
    static constexpr int32_t kReturnFrames = 75;

    Dummy(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY, int32_t index);
    // Used on construction and when a retired dummy is reused.
    void init(World* env, Graphics* graphics, int32_t pixelX, int32_t pixelY, int32_t index);

    bool update() override;

    int32_t index = 0; // which of the set places it stands at
};
