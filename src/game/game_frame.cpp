// One tick of the game: the quit key, then a step of play or a frame of the game-over pause.
#include <cstdint>

#include "base/sound.h"
#include "game/game_env.h"
#include "game/high_score.h"
#include "input/controls.h"
#include "input/input_log.h"
#include "render/graphics.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"

namespace {
constexpr int32_t kRestartDelay = 64;
constexpr int32_t kColorCycleLength = 24;
// Where the lab's target dummies stand, in pixels: ahead of the ship, across the band.
constexpr int32_t kDummyPlaces[kMostDummies][2] = {{240, 80},  {240, 112}, {240, 144}, {200, 96},
                                                   {200, 128}, {280, 96},  {280, 128}, {160, 112}};
// A saved game's start line holds a point of this cycle.
static_assert(kColorCycleLength == InputLog::kColorCycleLength);
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
    if (s.gameOverFrames > kRestartDelay && input->held(Control::kRestart)) s.restartArmed = 1;
    // The new game waits for the key to come up, so the held fire key does not shoot at once.
    if (s.restartArmed && !input->held(Control::kRestart)) startNewGame();
}

void GameEnv::runPlayFrame() {
    GameState& s = *state;
    if (s.levelUpDue()) {
        playSound(kSoundLevel, 30, 100);
        s.levelUp();
    }
    s.colorCycle = (s.colorCycle + 1) % kColorCycleLength;
    level->update(*this);
    if (lab.dummies > 0) standDummies();
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

void GameEnv::standDummies() {
    for (int i = 0; i < lab.dummies && i < kMostDummies; ++i) {
        if (dummyReturn[i] > 0 && --dummyReturn[i] == 0)
            addElement(kCodeDummy, kDummyPlaces[i][0], kDummyPlaces[i][1], 0, 0, i);
    }
}
