// Collision queries: 32 answer lists, taken in turn by the queries of one element's update.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "world/element_list.h"

class ElementTable;

class CollisionPool {
  public:
    static constexpr int kLists = 32;

    CollisionPool();
    // Every active, not new element of the table whose hit box overlaps rect, in slot order.
    ElementList* collide(const Rect& rect, const ElementTable& table);

    ElementList lists[kLists];
    int32_t count = 0; // lists handed out since the element's update began

  private:
    // The list handed out once all 32 are taken.
    ElementList exhausted_;
};
