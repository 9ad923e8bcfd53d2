// Collision queries: every settled, active element whose hit box overlaps a rectangle.
#include "app/log.h"
#include "game/game_env.h"
#include "world/element.h"

namespace {
// The overlap test of rectOverlap in mode -1, written where the compiler can inline it: this
// loop runs over the whole table for every query.
bool boxesOverlap(const Rect& a, const Rect& b) {
    return b.x < a.x + a.w && b.y < a.y + a.h && b.x + b.w > a.x && b.y + b.h > a.y;
}
} // namespace

ElementList* GameEnv::collide(const Rect& rect) {
    if (collisionCount >= kCollisionLists) {
        pauseAfterError();
        logLine("Error: Collision overflow!");
        // Past the pool the asker gets an answer with nothing in it rather than a stray list.
        exhaustedList_.init();
        return &exhaustedList_;
    }
    ElementList* list = &collisionLists[collisionCount++];
    list->init();
    for (int32_t i = 0; i < slotsInUse_; ++i) {
        Element* e = elements[i];
        if (e == nullptr || !e->active || e->isNew) continue;
        if (boxesOverlap(rect, e->hitbox)) list->add(e);
    }
    return list;
}
