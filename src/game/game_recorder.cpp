// Telling the frames of one game from the game-over pauses between games.
#include "game/game_recorder.h"

#include <utility>

#include "game/game_env.h"
#include "world/game_state.h"

GameRecorder::GameRecorder(const GameEnv& env, uint32_t seed, int64_t frame) : seed_(seed) {
    begin(env, frame);
}

void GameRecorder::begin(const GameEnv& env, int64_t frame) {
    game_ = FinishedGame();
    game_.log.seed = seed_;
    game_.log.start = {true, frame, env.lastStart.random, env.lastStart.colorCycle,
                       env.lastStart.highScore};
    playing_ = true;
}

// A frame that begins in play belongs to the game, the one that ends it too; a game-over frame
// that starts a new game begins the next log.
bool GameRecorder::afterFrame(const GameEnv& env, int64_t frame) {
    const GameState& state = *env.state;
    if (!playing_) {
        if (state.gameOverFrames == 0) begin(env, frame);
        return false;
    }
    game_.log.addRow({1, heldInputsOf(*env.input)});
    ++game_.frames;
    if (state.gameOverFrames == 0) return false;
    playing_ = false;
    game_.score = state.score;
    game_.level = state.level;
    game_.when = std::time(nullptr);
    return true;
}

FinishedGame GameRecorder::take() {
    return std::exchange(game_, FinishedGame());
}
