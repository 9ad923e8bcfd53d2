// What every element plays in: the devices' input, the level, the images, the element table, the
// collision lists and the game-state record. The game environment builds on it.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "world/collision_pool.h"
#include "world/element_list.h"
#include "world/element_table.h"
#include "world/lab_counters.h"
#include "world/lab_settings.h"

class Element;
class ElementFactory;
class Graphics;
class Input;
class Level;
struct GameState;

class World {
  public:
    static constexpr int kSlots = ElementTable::kSlots;
    static constexpr int kCollisionLists = CollisionPool::kLists;

    // The kinds are made by the factory, which is not owned; null makes none.
    World(Input* input, Graphics* graphics, Level* level, const ElementFactory* kinds);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Reuse a retired element of the kind, else allocate one into the first empty slot.
    void addElement(uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t param);

    // The element table and the collision pool, by the names the game uses for them.
    Element* findInactive(uint32_t code) const { return table.findInactive(code); }
    bool insertElement(Element* element) { return table.insert(element); }
    void clearElements();
    void updatePasses() { table.updatePasses(collisions.count); }
    Element* findElement(uint32_t category, int32_t type) const {
        return table.find(category, type);
    }
    ElementList* collide(const Rect& rect) { return collisions.collide(rect, table); }

    Input* input = nullptr;
    Level* level = nullptr;
    Graphics* graphics = nullptr;
    ElementTable table;
    CollisionPool collisions;
    Element* (&elements)[kSlots] = table.slots;
    ElementList (&collisionLists)[kCollisionLists] = collisions.lists;
    int32_t& collisionCount = collisions.count;
    GameState* state = nullptr;
    // The weapon's parameters (the game's own unless the lab changed them) and what it did.
    LabSettings lab;
    LabCounters counters;
    // Frames until each target dummy stands again; 0 while it stands or is not wanted.
    int32_t dummyReturn[kMostDummies] = {};

  private:
    const ElementFactory* kinds_;
};
