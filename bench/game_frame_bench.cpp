// Cost of one game frame with fire held, the ship weaving and the chain swinging now and then.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/sound.h"
#include "game/game_env.h"
#include "game/game_recorder.h"
#include "game/score_writer.h"
#include "game/setup.h"
#include "input/input.h"
#include "support/scratch_dir.h"
#include "support/scripted_player.h"
#include "world/game_state.h"

namespace {

constexpr int64_t kFrames = 200000;

// Set-up as the headless program does it; the best score goes to a scratch file.
class BenchGame {
  public:
    BenchGame() {
        setupGame({.seed = 12345,
                   .inputSource = &player_,
                   .uploadTextures = false,
                   .highScorePath = path_});
    }
    ~BenchGame() {
        cleanupGame();
        std::filesystem::remove(path_);
    }
    BenchGame(const BenchGame&) = delete;
    BenchGame& operator=(const BenchGame&) = delete;

    // One frame; the sound record is emptied as the state dump would. With saving on, the frame
    // also does what the windowed loop does after it: each ended game goes to the table's writer.
    void frame() {
        benchmark::DoNotOptimize(gameEnv->runFrame());
        SoundRecord::clear();
        if (gameEnv->state->gameOverFrames == 0) ++playFrames_;
        ++frame_;
        if (recorder_ && recorder_->afterFrame(*gameEnv, frame_))
            writer_->submit(recorder_->take());
    }
    void saveGames() {
        recorder_.emplace(*gameEnv, 12345);
        writer_.emplace(table_.path().string());
    }
    int64_t playFrames() const { return playFrames_; }

  private:
    ScriptedPlayer player_;
    std::string path_ =
        (std::filesystem::temp_directory_path() / "orvane_bench_highscore.dat").string();
    int64_t playFrames_ = 0;
    int64_t frame_ = 0;
    ScratchDir table_;
    std::optional<GameRecorder> recorder_;
    std::optional<ScoreWriter> writer_;
};

void BM_GameFrame(benchmark::State& state) {
    BenchGame game;
    for (auto _ : state)
        game.frame();
    state.counters["play_share"] =
        static_cast<double>(game.playFrames()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GameFrame)->Iterations(kFrames)->Unit(benchmark::kMicrosecond);

// CPU time of this thread, which time slices lost to other programs do not inflate.
double threadCpuMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The median, 99th percentile and worst of the frames' times, under the prefix.
void reportSpread(benchmark::State& state, const std::string& prefix, std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    state.counters[prefix + "median_us"] = micros[micros.size() / 2];
    state.counters[prefix + "p99_us"] = micros[micros.size() * 99 / 100];
    state.counters[prefix + "worst_us"] = micros.back();
}

// Each frame timed on its own by the wall clock and by the thread's CPU time, for a machine
// shared with other work.
void BM_GameFrameSpread(benchmark::State& state) {
    std::vector<double> wall, cpu;
    wall.reserve(kFrames);
    cpu.reserve(kFrames);
    BenchGame game;
    if (state.range(0) != 0) game.saveGames();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuMicros();
        game.frame();
        cpu.push_back(threadCpuMicros() - cpuStart);
        wall.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    reportSpread(state, "", wall);
    reportSpread(state, "cpu_", cpu);
}
// Argument 1: every ended game is also kept as a replay in the table, written off the frame.
BENCHMARK(BM_GameFrameSpread)->Arg(0)->Arg(1)->Iterations(kFrames)->Unit(benchmark::kMicrosecond);

// The same seeded game played three times, keeping each frame's cheapest run: a frame that is
// slow in every run costs the game that much; one slow in a single run was the machine (an
// interrupt, a lost cache) and drops out. The worst of these minima is the game's worst frame.
void BM_GameFrameRepeatableWorst(benchmark::State& state) {
    constexpr int kRuns = 3;
    std::vector<double> cheapest(kFrames, 1e300);
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            BenchGame game;
            for (int64_t f = 0; f < kFrames; ++f) {
                const double start = threadCpuMicros();
                game.frame();
                const double spent = threadCpuMicros() - start;
                cheapest[f] = std::min(cheapest[f], spent);
            }
        }
    }
    reportSpread(state, "cpu_", cheapest);
}
BENCHMARK(BM_GameFrameRepeatableWorst)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
