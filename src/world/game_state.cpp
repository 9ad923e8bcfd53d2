// The process's one game-state record, the pointer every rule reaches it through, and the rules
// of levels and kills.
#include "world/game_state.h"

GameState staticGameState;
GameState* gameState = &staticGameState;

namespace {
constexpr int32_t kStartLives = 4;
constexpr int32_t kStartQuota = 20;
constexpr int32_t kMaxLevel = 99;
constexpr int32_t kMaxQuota = 99;
} // namespace

void GameState::startGame() {
    score = 0;
    lives = kStartLives;
    level = 1;
    killsToNextLevel = kStartQuota;
    gameOverFrames = 0;
    frameCount = 0;
    restartArmed = 0;
}

void GameState::countKill() {
    score += (level + 5) * 16;
    killsToNextLevel -= 1;
}

void GameState::levelUp() {
    if (++level > kMaxLevel) level = kMaxLevel;
    const int32_t quota = (level + 3) * 5;
    killsToNextLevel += quota < kMaxQuota ? quota : kMaxQuota;
}
