// Collision queries: every settled, active element whose hit box overlaps a rectangle.
#include "app/log.h"
#include "game/game_env.h"
#include "world/element.h"

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
        if (rectOverlap(rect, e->hitbox, -1) != 0) list->add(e);
    }
    return list;
}
