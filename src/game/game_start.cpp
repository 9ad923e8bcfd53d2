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
    state->lives = lab.lives;
    counters = {};
    // The dummies stand in the game's first frame.
    for (int i = 0; i < kMostDummies; ++i)
        dummyReturn[i] = i < lab.dummies ? 1 : 0;
    level->init();
    clearElements();
    addElement(kCodePlayerShip, 64, 64, 0, 0, 0);
}
