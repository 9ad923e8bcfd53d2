// The frame pacer: sleep to an absolute deadline just before the period ends, then spin the rest.
#include "app/frame_timer.h"

#include <time.h>

#include <algorithm>
#include <cerrno>

namespace {

using Clock = FrameTimer::Clock;

// The steady clock is the monotonic clock, so its time points are absolute monotonic times; an
// absolute deadline cannot drift however often the sleep is interrupted.
void sleepUntil(Clock::time_point when) {
    const auto since =
        std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch());
    timespec at{};
    at.tv_sec = static_cast<time_t>(since.count() / 1000000000);
    at.tv_nsec = static_cast<long>(since.count() % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

} // namespace

Clock::duration FrameTimer::margin() const {
    // Twice the recent peak leaves room for a wake-up somewhat later than any seen lately.
    return std::clamp<Clock::duration>(2 * peakLateness_, kMinMargin, kMaxMargin);
}

void FrameTimer::learnWakeUp(Clock::duration lateness) {
    peakLateness_ = std::max(lateness, peakLateness_ - peakLateness_ / 16);
}

Clock::time_point FrameTimer::wait() {
    auto elapsed = [this](Clock::time_point now) {
        return std::chrono::duration<float>(now - last_).count();
    };
    Clock::time_point now = Clock::now();
    if (period_ > 0.0f) {
        const auto deadline = last_ + std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::duration<float>(period_));
        const auto wake = deadline - margin();
        if (wake > now) {
            sleepUntil(wake);
            now = Clock::now();
            learnWakeUp(now - wake);
        }
        while (elapsed(now) < period_)
            now = Clock::now();
    }
    last_ = now;
    return now;
}
