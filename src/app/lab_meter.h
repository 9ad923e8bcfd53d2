// The lab's numbers of a run: the weapon's counters, and the orbs' mean distance from the ship,
// measured after every frame of play.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

class GameEnv;

struct LabNumbers {
    int64_t frames = 0; // frames of play measured (not the game-over pauses)
    int64_t kills = 0;
    int64_t absorbed = 0;
    int64_t orbShots = 0;
    int64_t hitsTaken = 0;
    int64_t locks = 0;
    double meanLockFrames = 0.0; // frames from letting go to locking, over the locks
    int32_t lastLockFrames = 0;
    double meanOrbDistance = 0.0; // pixels from the chain's anchor, over frames and orbs
};

class LabMeter {
  public:
    static constexpr int kFramesPerSecond = 75;

    // Measures the frame just run; with a CSV file, writes a row at each second of play.
    void afterFrame(const GameEnv& env, std::FILE* csv = nullptr);
    // Writes the row of the last part-second, when there is one.
    void finish(const GameEnv& env, std::FILE* csv);
    LabNumbers numbers(const GameEnv& env) const;

    // Rows start with this column ("A"), for several runs in one table; none when empty.
    void setRunName(std::string name) { runName_ = std::move(name); }
    // For the second run of a table whose header is written.
    void skipHeader() { headerWritten_ = true; }

    std::string csvHeader() const;
    std::string csvRow(int64_t second, const LabNumbers& n) const;

  private:
    void writeRow(const GameEnv& env, std::FILE* csv);

    int64_t frames_ = 0;
    double distanceSum_ = 0.0; // of the orbs' mean distances, one a frame of play
    int64_t measured_ = 0;     // frames with orbs to measure
    int64_t rows_ = 0;
    bool headerWritten_ = false;
    std::string runName_;
};
