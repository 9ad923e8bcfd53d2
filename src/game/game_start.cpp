// Starting a game: the record's start values, a fresh level, an empty table and a new ship.
#include "elements/player_ship.h"
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
    // The dummies stand in the game's first frame.
    for (int i = 0; i < kMostDummies; ++i)
        dummyReturn[i] = i < lab.dummies ? 1 : 0;
    level->init();
    clearElements();
    addElement(kCodePlayerShip, 64, 64, 0, 0, 0);
}

void GameEnv::changeLab(const LabSettings& settings) {
    const LabSettings before = lab;
    lab = settings;
    const bool chainChanged = before.nodes != lab.nodes || before.orbs != lab.orbs ||
                              before.orbNode != lab.orbNode || before.orbStep != lab.orbStep;
    auto* ship = static_cast<PlayerShip*>(findElement(kCategoryPlayer, typeOf(kCodePlayerShip)));
    if (chainChanged && ship != nullptr) ship->restartChain();
    if (before.lives != lab.lives && state->gameOverFrames == 0) state->lives = lab.lives;
    // Dummies newly wanted stand in the next frame; those no longer wanted leave by themselves.
    for (int i = before.dummies; i < lab.dummies; ++i)
        dummyReturn[i] = 1;
    for (int i = lab.dummies; i < before.dummies; ++i)
        dummyReturn[i] = 0;
}
