// How the world brings an element of any kind into play without knowing the kinds: the game
// hands it the factory of its element kinds.
#pragma once

#include <cstdint>

class Element;
class World;

class ElementFactory {
  public:
    virtual ~ElementFactory() = default;
    // The element of the code, placed at (x, y): a retired one of the kind found in the world's
    // table and started again (fresh false), else a new one (fresh true) for the caller to store.
    // Null for an unknown code, or when memory runs out.
    virtual Element* bringElement(World& world, uint32_t code, int32_t x, int32_t y, int32_t vx,
                                  int32_t vy, int32_t param, bool& fresh) const = 0;
};
