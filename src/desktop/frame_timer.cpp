// The frame pacer: sleep to an absolute deadline just before the period ends, then spin the rest.
#include "desktop/frame_timer.h"

#include <sys/prctl.h>
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

FrameTimer::FrameTimer(float period) : period_(period) {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void FrameTimer::learnWakeUp(Clock::duration lateness) {
    // Up a step after a late wake-up, down a ninth of a step after a prompt one: balanced at nine
    // prompt wake-ups for each late one, the margin sits near the wake-ups' 90th percentile. A
    // lone wake-up a millisecond late (the machine's hiccup) moves it no more than any other.
    constexpr Clock::duration kStep = std::chrono::microseconds(9);
    if (lateness > margin_)
        margin_ += kStep;
    else
        margin_ -= kStep / 9;
    margin_ = std::clamp<Clock::duration>(margin_, kMinMargin, kMaxMargin);
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
