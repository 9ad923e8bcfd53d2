// The frame pacer: sleep to just before the deadline, then spin the last stretch.
#include "app/frame_timer.h"

#include <thread>

FrameTimer::Clock::time_point FrameTimer::wait() {
    auto elapsed = [this](Clock::time_point now) {
        return std::chrono::duration<float>(now - last_).count();
    };
    Clock::time_point now = Clock::now();
    if (period_ > 0.0f) {
        auto deadline = last_ + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<float>(period_));
        if (deadline - now > kSpinStretch) std::this_thread::sleep_until(deadline - kSpinStretch);
        now = Clock::now();
        while (elapsed(now) < period_)
            now = Clock::now();
    }
    last_ = now;
    return now;
}
