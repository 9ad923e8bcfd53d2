// The game-state record: score, lives, level number, kill quota, game-over counter and high score.
#pragma once

#include <cstdint>

struct GameState {
    int32_t score = 0;
    int32_t lives = 0;
    int32_t level = 0;
    int32_t killsToNextLevel = 0;
    int32_t gameOverFrames = 0;
    int32_t frameCount = 0;
    uint8_t restartArmed = 0;
    int32_t highScore = 0;
};

// The one record of the process, static and zero until the first game starts.
extern GameState staticGameState;
// Every rule reaches the record through this pointer; it refers to staticGameState from the start.
extern GameState* gameState;
