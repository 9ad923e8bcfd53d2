// The main loop's pace on displays of 60 to 165 Hz: a simulated display whose swap blocks until
// its next refresh while the swap interval is 1, the game's frame pacer, and the processor time
// the wait itself costs. The classic loop (swap interval 1 everywhere, spinning the last
// millisecond of every wait) runs beside the game's for comparison.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "app/display_choice.h"
#include "desktop/frame_timer.h"
#include "app/game_run.h"

namespace {

using Clock = FrameTimer::Clock;
constexpr auto kPeriod = static_cast<float>(kFramePeriodSeconds);
constexpr double kSeconds = 4.0;

// A display refreshing at hz since start: a swap with interval 1 returns at the next refresh.
class SimulatedDisplay {
  public:
    SimulatedDisplay(double hz, Clock::time_point start) : start_(start), hz_(hz) {}
    void swap(int interval) const {
        if (interval == 0) return;
        const double since = std::chrono::duration<double>(Clock::now() - start_).count();
        const double next = (static_cast<long long>(since * hz_) + 1) / hz_;
        std::this_thread::sleep_until(start_ + std::chrono::duration_cast<Clock::duration>(
                                                   std::chrono::duration<double>(next)));
    }

  private:
    Clock::time_point start_;
    double hz_;
};

// The classic wait: sleep until a millisecond before the deadline, then spin.
class ClassicTimer {
  public:
    Clock::time_point wait() {
        const auto deadline = last_ + std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::duration<float>(kPeriod));
        Clock::time_point now = Clock::now();
        if (deadline - now > std::chrono::milliseconds(1))
            std::this_thread::sleep_until(deadline - std::chrono::milliseconds(1));
        now = Clock::now();
        while (std::chrono::duration<float>(now - last_).count() < kPeriod)
            now = Clock::now();
        last_ = now;
        return now;
    }

  private:
    Clock::time_point last_ = Clock::now();
};

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Runs the loop for kSeconds: the wait, then the swap; reports frames per second, the spread of
// the periods between wait ends and the processor time per frame (all of it the wait's).
template <class Timer> void pace(benchmark::State& state, Timer& timer, int interval) {
    const double hz = static_cast<double>(state.range(0));
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const SimulatedDisplay display(hz, start);
        std::vector<Clock::time_point> ends;
        const double cpuBefore = threadCpuSeconds();
        while (Clock::now() - start < std::chrono::duration<double>(kSeconds)) {
            ends.push_back(timer.wait());
            display.swap(interval);
        }
        const double cpu = threadCpuSeconds() - cpuBefore;
        std::vector<double> periods;
        for (size_t i = 1; i < ends.size(); ++i)
            periods.push_back(
                std::chrono::duration<double, std::milli>(ends[i] - ends[i - 1]).count());
        std::sort(periods.begin(), periods.end());
        const double wall = std::chrono::duration<double>(ends.back() - ends.front()).count();
        state.SetIterationTime(wall);
        state.counters["fps"] = static_cast<double>(periods.size()) / wall;
        state.counters["median_ms"] = periods[periods.size() / 2];
        state.counters["p99_ms"] = periods[periods.size() * 99 / 100];
        state.counters["wait_cpu_ms_per_frame"] = 1000.0 * cpu / static_cast<double>(ends.size());
    }
}

void BM_ClassicLoop(benchmark::State& state) {
    ClassicTimer timer;
    pace(state, timer, 1);
}

void BM_GameLoop(benchmark::State& state) {
    FrameTimer timer(kPeriod);
    timer.restart();
    pace(state, timer, chooseSwapInterval(VsyncMode::Auto, static_cast<double>(state.range(0))));
}

void rates(benchmark::internal::Benchmark* b) {
    for (int hz : {60, 75, 120, 144, 165})
        b->Arg(hz);
    b->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
}

BENCHMARK(BM_ClassicLoop)->Apply(rates);
BENCHMARK(BM_GameLoop)->Apply(rates);

} // namespace

BENCHMARK_MAIN();
