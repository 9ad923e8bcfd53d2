// Collision queries: every settled, active element whose hit box overlaps a rectangle.
#include "world/collision_pool.h"
#include "base/log.h"
#include "world/element.h"
#include "world/element_table.h"

namespace {
// The overlap test of rectOverlap in mode -1, written where the compiler can inline it: this
// loop runs over the whole table for every query.
bool boxesOverlap(const Rect& a, const Rect& b) {
    return b.x < a.x + a.w && b.y < a.y + a.h && b.x + b.w > a.x && b.y + b.h > a.y;
}
} // namespace

CollisionPool::CollisionPool() {
    for (ElementList& list : lists)
        list.init();
}

ElementList* CollisionPool::collide(const Rect& rect, const ElementTable& table) {
    if (count >= kLists) {
        pauseAfterError();
        logLine("Error: Collision overflow!");
        // Past the pool the asker gets an answer with nothing in it rather than a stray list.
        exhausted_.init();
        return &exhausted_;
    }
    ElementList* list = &lists[count++];
    list->init();
    for (int32_t i = 0; i < table.slotsInUse(); ++i) {
        Element* e = table.slots[i];
        if (e == nullptr || !e->active || e->isNew) continue;
        if (boxesOverlap(rect, e->hitbox)) list->add(e);
    }
    return list;
}
