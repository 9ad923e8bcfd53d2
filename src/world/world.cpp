// Making and unmaking the world, and bringing elements into play: the element table owns every
// element in it.
#include "world/world.h"

#include "base/log.h"
#include "world/element.h"
#include "world/element_factory.h"

World::World(Input* input, Graphics* graphics, Level* level, const ElementFactory* kinds)
    : input(input), level(level), graphics(graphics), kinds_(kinds) {}

World::~World() {
    clearElements();
}

void World::clearElements() {
    table.clear();
    collisionCount = 0;
}

void World::addElement(uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t param) {
    bool fresh = false;
    Element* e =
        kinds_ != nullptr ? kinds_->bringElement(*this, code, x, y, vx, vy, param, fresh) : nullptr;
    if (e != nullptr && !fresh) return;
    if (e == nullptr) {
        logLine("Error: Tried to add unknown element with category|type=%.8X", code);
        pauseAfterError();
        return;
    }
    // With every slot taken the element could never be reached again: free it now.
    if (!insertElement(e)) delete e;
}
