// A fixed list of up to 100 element pointers, the answer of a collision query.
#pragma once

#include <cstdint>

class Element;

class ElementList {
  public:
    static constexpr int kCapacity = 100;

    void init() { count = cursor = 0; }
    // Appends; a full list reports the overflow and keeps its 100 entries.
    void add(Element* element);
    // Next entry whose category and type match; -1 matches anything.
    Element* next(int32_t category, int32_t type);

    Element* items[kCapacity] = {};
    int32_t count = 0;
    int32_t cursor = 0;
};
