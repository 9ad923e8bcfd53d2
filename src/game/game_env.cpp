// Making and unmaking the game environment, and bringing elements into play: the element table
// owns every element in it.
#include "game/game_env.h"

#include "app/log.h"
#include "game/game_state.h"
#include "world/element.h"
#include "world/element_factory.h"
#include "world/level.h"
#include "world/random.h"

GameEnv::GameEnv(Input* input, Graphics* graphics, Level* level) {
    logLine("init GameEnv");
    this->input = input;
    this->level = level;
    this->graphics = graphics;
    for (Element*& slot : elements)
        slot = nullptr;
    collisionCount = 0;
}

GameEnv::~GameEnv() {
    clearElements();
}

void GameEnv::clearElements() {
    table.clear();
    collisionCount = 0;
}

void GameEnv::addElement(uint32_t code, int32_t x, int32_t y, int32_t vx, int32_t vy,
                         int32_t param) {
    bool fresh = false;
    Element* e = bringElement({this, graphics, &table}, code, x, y, vx, vy, param, fresh);
    if (e != nullptr && !fresh) return;
    if (e == nullptr) {
        logLine("Error: Tried to add unknown element with category|type=%.8X", code);
        pauseAfterError();
        return;
    }
    // With every slot taken the element could never be reached again: free it now.
    if (!insertElement(e)) delete e;
}

// The enemy spawner of the level, here beside addElement, which it feeds.
void Level::spawnEnemies(GameEnv& env) {
    if (--spawnTimer > 0) return;
    int32_t s = 20 - (env.state != nullptr ? env.state->level : 0);
    if (s < 0) s = 0;
    spawnTimer = randomNext() % (s + 6) + s / 2 + 2;
    const int32_t row = randomNext() % 69 + 76;
    env.addElement(kCodeEnemy, 320, row, 0, 0, 0);
}
