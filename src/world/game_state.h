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
    // The flashing colour's step, 0 to 23, run on through every game (a saved game's start line
    // keeps it): game state, so drawing reads it and never keeps it.
    int32_t colorCycle = 0;

    // The level rule, in one place: a game starts on level 1 with 20 kills to go; each level
    // (at most 99) adds (level + 3) * 5 kills to the quota, at most 99 at once.
    void startGame();
    // An enemy destroyed: its kill score, and one kill less to the next level.
    void countKill();
    bool levelUpDue() const { return killsToNextLevel <= 0; }
    void levelUp();
};

// The one record of the process, static and zero until the first game starts.
extern GameState staticGameState;
// Every rule reaches the record through this pointer; it refers to staticGameState from the start.
extern GameState* gameState;
