// Every kind of element by its code: a retired one of the kind started again, or a new one.
#pragma once

#include <cstdint>

class Element;
class ElementTable;
class GameEnv;
class Graphics;

// What a new element is made with: the environment it plays in, its images, and the table
// searched for a retired element of its kind.
struct ElementSource {
    GameEnv* env = nullptr;
    Graphics* graphics = nullptr;
    const ElementTable* table = nullptr;
};

// The element of the code, placed at (x, y): a retired one of the kind started again (fresh
// false), else a new one (fresh true) for the caller to store. Null for an unknown code, or when
// memory runs out. The one list of kinds: a new kind is added here and in its own files.
Element* bringElement(const ElementSource& source, uint32_t code, int32_t x, int32_t y, int32_t vx,
                      int32_t vy, int32_t param, bool& fresh);
