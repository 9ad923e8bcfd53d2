// The game environment: devices, level, images, the element table and the collision lists.
#pragma once

#include <cstdint>

#include "world/collision_pool.h"
#include "world/element_list.h"
#include "world/element_table.h"
#include "world/geometry.h"

class Element;
class Graphics;
class Input;
class Level;
struct GameState;

class GameEnv {
  public:
    static constexpr int kSlots = ElementTable::kSlots;
    static constexpr int kCollisionLists = CollisionPool::kLists;

    // game_env.cpp
    GameEnv(Input* input, Graphics* graphics, Level* level);
    ~GameEnv();
    GameEnv(const GameEnv&) = delete;
    GameEnv& operator=(const GameEnv&) = delete;

    // game_frame.cpp: one tick of the game; false when the player quits.
    bool runFrame();
    // game_start.cpp: destroy the old game's elements, reset the record and the level, place
    // the ship.
    void startNewGame();
    // render/scene.cpp: draws one picture of the game.
    void drawScene();

    // game_env.cpp, with the kinds in world/element_factory.cpp: reuse a retired element of the
    // kind, else allocate one into the first empty slot.
    void addElement(uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t param);

    // The element table (world/element_table.cpp) and the collision pool
    // (world/collision_pool.cpp), by the names the game uses for them.
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
    // Where the best score is kept; tests point it into a scratch folder.
    const char* highScorePath = "highscore.dat";

  private:
    // game_frame.cpp
    void runPlayFrame();
    void runGameOverFrame();
};
