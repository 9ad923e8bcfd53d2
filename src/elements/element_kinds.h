// Every kind of element by its code: the factory the world brings elements into play with.
#pragma once

#include "world/element_factory.h"

class ElementKinds final : public ElementFactory {
  public:
    // The one list of kinds: a new kind is added here and in its own files.
    Element* bringElement(World& world, uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy,
                          int32_t param, bool& fresh) const override;
};
