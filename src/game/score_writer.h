// Saves finished games into the score table on a thread of its own, so no game frame waits on the
// disk.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "game/game_recorder.h"

class ScoreWriter {
  public:
    // A folder that another copy of the game keeps busy is tried this many times, a second each.
    static constexpr int kAttempts = 10;

    // Without a thread of its own (a browser without threads) each game is saved at once, after
    // the frame that ended it.
    explicit ScoreWriter(std::string folder, bool threaded = true);
    // Saves every game still waiting, then ends the thread.
    ~ScoreWriter();
    ScoreWriter(const ScoreWriter&) = delete;
    ScoreWriter& operator=(const ScoreWriter&) = delete;

    void submit(FinishedGame game);
    // Returns once every game submitted so far has been saved (or given up on).
    void flush();

  private:
    void run();
    void save(const FinishedGame& game) const;

    std::string folder_;
    bool threaded_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<FinishedGame> waiting_;
    bool saving_ = false;
    bool stopping_ = false;
    std::thread thread_; // started with the first game
};
