// The windowed program: configuration, window, set-up, the paced main loop and tear-down.
#pragma once

#include <chrono>
#include <functional>

struct CommandLine;

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

// Called at the end of every wait of the main loop (for measuring the pacing).
using FrameObserver = std::function<void(FrameTimer::Clock::time_point)>;

// Runs the game in a window until Escape or the window closes; returns the process exit code.
int runWindowed(const CommandLine& options, const FrameObserver& observer = nullptr);

// The name F12 saves a picture under: "screenshot-YYYYMMDD-HHMMSS.png" in local time.
void screenshotName(char* name, int size, std::chrono::system_clock::time_point when);
