// The orbs' paths over the last seconds of play, and where the chain last locked, for the lab to
// draw over the picture.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class GameEnv;

class LabTrace {
  public:
    static constexpr int kFrames = 150; // two seconds
    static constexpr int kMostOrbs = 4;

    struct Point {
        int16_t x = 0; // the orb's centre, in pixels
        int16_t y = 0;
    };
    struct Sample {
        std::array<Point, kMostOrbs> orbs;
        int8_t count = 0;
    };

    // Takes the orbs of the frame just run; a frame in which the chain locked marks the lock.
    void sample(const GameEnv& env);
    void clear();
    // The samples from the oldest to the newest.
    std::vector<Sample> samples() const;
    // Where the orbs were when the chain last locked, and how many frames ago (-1: no lock in
    // the trace's time).
    const Sample& lastLock() const { return lock_; }
    int32_t framesSinceLock() const { return sinceLock_; }

  private:
    std::array<Sample, kFrames> ring_{};
    int size_ = 0;
    int next_ = 0;
    Sample lock_;
    int32_t sinceLock_ = -1;
    int64_t locksSeen_ = -1; // the locks counted at the last sample; -1 before the first
};
