// Making and unmaking the game environment; the element table owns every element in it.
#include "game/game_env.h"

#include "app/log.h"

GameEnv::GameEnv(Input* input, Graphics* graphics, Level* level) {
    for (ElementList& list : collisionLists)
        list.init();
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
