// Starting a game: the record's start values, a fresh level, an empty table and a new ship.
#include "game/game_env.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"

void GameEnv::startNewGame() {
    state->startGame();
    level->init();
    clearElements();
    addElement(kCodePlayerShip, 64, 64, 0, 0, 0);
}
