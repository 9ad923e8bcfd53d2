// One picture of the game: playfield, level, elements, game-over effect, borders and score.
#include "game/game_env.h"
#include "world/level.h"

void GameEnv::drawScene() {}

void Level::drawLevel(Graphics&, int32_t) const {}
