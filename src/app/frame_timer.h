// The frame pacer of the main loop: wait ends at least one period apart, without a busy frame.
#pragma once

#include <chrono>

// Paces the loop: two ends of wait() are at least one period apart on the steady clock. It sleeps
// to an absolute deadline a margin before the period is over and spins only that margin, so the
// period holds to a few microseconds while the processor idles almost all the wait. The margin
// follows how late this machine's sleeps wake: it jumps to cover a late wake-up at once and
// shrinks slowly while wake-ups are prompt.
class FrameTimer {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kMinMargin{50};
    static constexpr std::chrono::microseconds kMaxMargin{2000};

    // period in seconds; 0 or less never waits.
    explicit FrameTimer(float period) : period_(period) {}
    // The reference for the first wait: the time before set-up.
    void restart() { last_ = Clock::now(); }
    // Returns when period seconds have passed since the previous wait ended (or restart).
    Clock::time_point wait();
    float period() const { return period_; }
    // How long before the deadline the sleep ends now.
    Clock::duration margin() const;

    // The margin after a sleep that woke lateness after its deadline.
    void learnWakeUp(Clock::duration lateness);

  private:
    float period_;
    Clock::time_point last_ = Clock::now();
    // The latest recent wake-up, decaying by 1/16 a frame; starts at a millisecond, as a sleep
    // on a loaded machine may wake that late.
    Clock::duration peakLateness_ = std::chrono::milliseconds(1);
};
