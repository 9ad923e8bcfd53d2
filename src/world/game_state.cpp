// The process's one game-state record and the pointer every rule reaches it through.
#include "world/game_state.h"

GameState staticGameState;
GameState* gameState = &staticGameState;
