// The frame pacer of the main loop: wait ends at least one period apart, without a busy frame.
#pragma once

#include <chrono>

// Paces the loop: two ends of wait() are at least one period apart on the steady clock. It sleeps
// to an absolute deadline a margin before the period is over and spins only that margin, so the
// period holds to a few microseconds while the processor idles almost all the wait. The margin
// follows how late this machine's sleeps wake, settling where about one wake-up in ten comes
// later than the margin (and then by a few tens of microseconds).
class FrameTimer {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kMinMargin{20};
    static constexpr std::chrono::microseconds kMaxMargin{2000};
    static constexpr std::chrono::microseconds kStartMargin{150};

    // period in seconds; 0 or less never waits. The calling thread's sleeps get the least timer
    // slack the kernel allows, so they wake when asked rather than up to 50 us later.
    explicit FrameTimer(float period);
    // The reference for the first wait: the time before set-up.
    void restart() { last_ = Clock::now(); }
    // Returns when period seconds have passed since the previous wait ended (or restart).
    Clock::time_point wait();
    float period() const { return period_; }
    // How long before the deadline the sleep ends now.
    Clock::duration margin() const { return margin_; }

    // Adjusts the margin after a sleep that woke lateness after the time it asked for.
    void learnWakeUp(Clock::duration lateness);

  private:
    float period_;
    Clock::time_point last_ = Clock::now();
    Clock::duration margin_ = kStartMargin;
};
