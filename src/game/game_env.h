// The game environment: devices, level, images, the element table and the collision lists.
#pragma once

#include <cstdint>

#include "world/element_list.h"
#include "world/geometry.h"

class Element;
class Graphics;
class Input;
class Level;
struct GameState;

class GameEnv {
  public:
    static constexpr int kSlots = 1000;
    static constexpr int kCollisionLists = 32;

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

    // world/element_factory.cpp: reuse a retired element of the kind, else allocate one into
    // the first empty slot.
    void addElement(uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t param);

    // world/element_table.cpp
    // First retired element for which isA(code) holds, or null.
    Element* findInactive(uint32_t code) const;
    // Stores the element in the first empty slot; false (element not stored) when the table is
    // full.
    bool insertElement(Element* element);
    void clearElements();
    void updatePasses();
    // First active, not new element with this category and type (-1 any type).
    Element* findElement(uint32_t category, int32_t type) const;

    // world/collision.cpp: every active, not new element whose hit box overlaps rect, in slot
    // order.
    ElementList* collide(const Rect& rect);

    Input* input = nullptr;
    Level* level = nullptr;
    Graphics* graphics = nullptr;
    Element* elements[kSlots] = {};
    ElementList collisionLists[kCollisionLists];
    int32_t collisionCount = 0;
    GameState* state = nullptr;
    // Where the best score is kept; tests point it into a scratch folder.
    const char* highScorePath = "highscore.dat";

  private:
    // world/collision.cpp: the list handed out once all 32 are taken.
    ElementList exhaustedList_;
    // One past the highest slot ever filled since the table was last cleared: every slot above it
    // is empty, so scans stop there (play never frees a slot, only a new game does).
    int32_t slotsInUse_ = 0;
    // game_frame.cpp
    void runPlayFrame();
    void runGameOverFrame();
};
