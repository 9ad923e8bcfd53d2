// The 1000-slot element table: inserting, finding retired elements, the two update passes.
#pragma once

#include <cstdint>

class Element;

class ElementTable {
  public:
    static constexpr int kSlots = 1000;

    // First retired element for which isA(code) holds, or null.
    Element* findInactive(uint32_t code) const;
    // Stores the element in the first empty slot; false (element not stored) when the table is
    // full.
    bool insert(Element* element);
    // Deletes every element.
    void clear();
    // The two passes over the table; collisionCount is reset before each element's update, so
    // every update has the whole collision pool to itself.
    void updatePasses(int32_t& collisionCount);
    // First active, not new element with this category and type (-1 any type).
    Element* find(uint32_t category, int32_t type) const;
    // One past the highest slot filled since the table was last cleared.
    int32_t slotsInUse() const { return slotsInUse_; }

    Element* slots[kSlots] = {};

  private:
    // Every slot above it is empty, so scans stop there (play never frees a slot, only a new
    // game does).
    int32_t slotsInUse_ = 0;
};
