// Starting a game: the record's start values, a fresh level, an empty table and a new ship.
#include "game/game_env.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/random.h"

void GameEnv::startGameFrom(const GameStart& start) {
    randomSeed(start.random);
    state->colorCycle = start.colorCycle;
    state->highScore = start.highScore;
    startNewGame();
}

void GameEnv::startNewGame() {
    lastStart = {randomState(), state->colorCycle, state->highScore};
    state->startGame();
    level->init();
    clearElements();
    addElement(kCodePlayerShip, 64, 64, 0, 0, 0);
}
