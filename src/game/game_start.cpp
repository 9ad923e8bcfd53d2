// Starting a game: the record's start values, a fresh level, an empty table and a new ship.
#include "game/game_env.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"

void GameEnv::startNewGame() {
    GameState& s = *state;
    s.score = 0;
    s.lives = 4;
    s.level = 1;
    s.killsToNextLevel = 20;
    s.gameOverFrames = 0;
    s.frameCount = 0;
    s.restartArmed = 0;
    level->init();
    clearElements();
    addElement(kCodePlayerShip, 64, 64, 0, 0, 0);
}
