// The frame pacer of the main loop: wait ends at least one period apart, without a busy frame.
#pragma once

#include <chrono>

// Paces the loop: two ends of wait() are at least one period apart on the steady clock. It sleeps
// until shortly before the deadline and spins only the last stretch, so the period holds to a
// fraction of a millisecond without keeping a processor busy all frame.
class FrameTimer {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kSpinStretch{1000};

    // period in seconds; 0 or less never waits.
    explicit FrameTimer(float period) : period_(period) {}
    // The reference for the first wait: the time before set-up.
    void restart() { last_ = Clock::now(); }
    // Returns when period seconds have passed since the previous wait ended (or restart).
    Clock::time_point wait();
    float period() const { return period_; }

  private:
    float period_;
    Clock::time_point last_ = Clock::now();
};
