// Follows a session frame by frame and keeps the inputs of the game being played, so each game
// that ends can be saved with its replay.
#pragma once

#include <cstdint>
#include <ctime>

#include "input/input_log.h"

class GameEnv;

// A game that has just ended: what the score table keeps of it, and its replay.
struct FinishedGame {
    int32_t score = 0;
    int32_t level = 0;
    int64_t frames = 0;   // game frames from its start to its end
    std::time_t when = 0; // when it ended
    InputLog log;         // seed, start line and rows: replays this game alone
};

class GameRecorder {
  public:
    // Starts with the game that set-up began; seed is the session's, kept in every log.
    GameRecorder(const GameEnv& env, uint32_t seed, int64_t frame = 0);

    // After each game frame that ran; frame is the number of frames run so far. True when this
    // frame ended a game, which take() then hands over.
    bool afterFrame(const GameEnv& env, int64_t frame);
    FinishedGame take();

  private:
    void begin(const GameEnv& env, int64_t frame);

    uint32_t seed_;
    bool playing_ = true;
    FinishedGame game_;
};
