// A short animated puff left where an enemy was destroyed.
#pragma once

#include <cstdint>

#include "world/element.h"

class Explosion : public Element {
  public:
    Explosion(World* env, Graphics* graphics, int32_t x, int32_t y);
    // Used on construction and when a retired explosion is reused.
    void init(World* env, Graphics* graphics, int32_t x, int32_t y);

    bool update() override;
    void draw() const override;
    void writeFields(FieldWriter& out) const override;

    int32_t counter = 0;
    int32_t frame = 0;
};
