// One tick of the game: the quit key, then a step of play or a frame of the game-over pause.
#include <cstdint>

#include "base/sound.h"
#include "game/game_env.h"
#include "game/high_score.h"
#include "input/input.h"
#include "render/graphics.h"
#include "world/game_state.h"
#include "world/level.h"

namespace {
constexpr int32_t kRestartDelay = 64;
constexpr int32_t kMaxLevel = 99;
constexpr int32_t kMaxQuota = 99;
constexpr int32_t kColorCycleLength = 24;

// The ship's fire keys double as the restart keys.
bool restartKeyDown(const Input& input) {
    return input.isDown(kKeyZ) || input.isDown(kJoyButton0) || input.isDown(kJoyButton0 + 1);
}

void levelUp(GameState& s) {
    playSound(kSoundLevel, 30, 100);
    if (++s.level > kMaxLevel) s.level = kMaxLevel;
    const int32_t quota = (s.level + 3) * 5;
    s.killsToNextLevel += quota < kMaxQuota ? quota : kMaxQuota;
}
} // namespace

bool GameEnv::runFrame() {
    input->readState();
    if (input->isDown(kKeyEscape)) return false;
    // After 2^31 frames the count wraps, as unsigned arithmetic does, rather than overflow.
    state->frameCount = static_cast<int32_t>(static_cast<uint32_t>(state->frameCount) + 1u);
    if (state->gameOverFrames > 0) {
        runGameOverFrame();
    } else {
        runPlayFrame();
    }
    return true;
}

void GameEnv::runGameOverFrame() {
    GameState& s = *state;
    // A pause left for years stays over: the count stops at its largest value.
    if (s.gameOverFrames < INT32_MAX) ++s.gameOverFrames;
    if (s.gameOverFrames > kRestartDelay && restartKeyDown(*input)) s.restartArmed = 1;
    // The new game waits for the key to come up, so the held fire key does not shoot at once.
    if (s.restartArmed && !restartKeyDown(*input)) startNewGame();
}

void GameEnv::runPlayFrame() {
    GameState& s = *state;
    if (s.killsToNextLevel <= 0) levelUp(s);
    if (graphics != nullptr) graphics->colorCycle = (graphics->colorCycle + 1) % kColorCycleLength;
    level->update(*this);
    updatePasses();
    if (s.score > s.highScore) s.highScore = s.score;
    if (s.lives < 0) {
        playSound(kSoundDie, 70, 25);
        s.lives = 0;
        s.gameOverFrames = 1;
        // Another copy of the game may have stored more meanwhile; that stays the best.
        if (s.score == s.highScore) writeHighScore(s.highScore, highScorePath, &s.highScore);
    }
}
