// Pace of the windowed game: frames per second, spread of the frame periods and CPU use over 30 s.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "app/command_line.h"
#include "desktop/sdl_main_loop.h"

namespace {

constexpr int64_t kFrames = 2250; // 30 s at 75 frames per second

double cpuSeconds() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
           static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// Runs the real game in its window (run from the repository folder, under a display) and reports
// the periods between the ends of successive frame waits.
void BM_WindowPacing(benchmark::State& state) {
    for (auto _ : state) {
        CommandLine options;
        options.hasFrames = true;
        options.frames = kFrames;
        std::vector<FrameTimer::Clock::time_point> ends;
        ends.reserve(kFrames + 1);
        const double cpuBefore = cpuSeconds();
        runWindowed(options, [&](FrameTimer::Clock::time_point t) { ends.push_back(t); });
        const double cpu = cpuSeconds() - cpuBefore;
        if (ends.size() < 2) {
            state.SkipWithError("the window could not be opened");
            return;
        }
        std::vector<double> periods;
        for (size_t i = 1; i < ends.size(); ++i)
            periods.push_back(
                std::chrono::duration<double, std::milli>(ends[i] - ends[i - 1]).count());
        const double wall = std::chrono::duration<double>(ends.back() - ends.front()).count();
        std::sort(periods.begin(), periods.end());
        const auto at = [&](double share) {
            return periods[static_cast<size_t>(share * static_cast<double>(periods.size() - 1))];
        };
        state.SetIterationTime(wall);
        state.counters["fps"] = static_cast<double>(periods.size()) / wall;
        state.counters["median_ms"] = at(0.5);
        state.counters["p99_ms"] = at(0.99);
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
}
BENCHMARK(BM_WindowPacing)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
