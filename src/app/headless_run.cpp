// The headless program: the same set-up, frames and tear-down as the game, with nothing shown.
#include "app/headless_run.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/game_run.h"
#include "app/run_files.h"
#include "app/stop_signals.h"
#include "game/setup.h"
#include "input/input.h"
#include "world/lab_settings.h"

namespace {

// The whole log played under the settings; the numbers at its end.
LabNumbers playLog(const CommandLine& options, RunFiles& files) {
    files.replay = std::make_unique<InputLogSource>(files.log);
    files.labSchedule.rewind();
    setUpRun(files, nullptr, nullptr, false);
    GameRun run(files, lastFrameOf(options, files), GameRun::Table::Skip);
    while (!stopRequested() && run.step()) {
    }
    run.finish();
    const LabNumbers numbers = run.labNumbers();
    cleanupGame();
    return numbers;
}

// --lab-sweep: one run of the log per value, one row each.
int sweep(const CommandLine& options, RunFiles& files) {
    const LabSweep& s = options.sweep;
    std::printf("%12s %8s %8s %9s %6s %6s %11s %12s\n", s.name.c_str(), "kills", "absorbed",
                "orb-shots", "hits", "locks", "lock-frames", "orb-distance");
    const LabSettings base = files.labStart;
    for (int64_t value = s.from; value <= s.to && !stopRequested(); value += s.step) {
        files.labStart = base;
        std::string why;
        if (!setLabParameter(files.labStart, s.name, value, why) ||
            !labSettingsClash(files.labStart).empty()) {
            std::printf("%12lld   (%s)\n", static_cast<long long>(value),
                        why.empty() ? labSettingsClash(files.labStart).c_str() : why.c_str());
            continue;
        }
        const LabNumbers n = playLog(options, files);
        std::printf("%12lld %8lld %8lld %9lld %6lld %6lld %11.1f %12.2f\n",
                    static_cast<long long>(value), static_cast<long long>(n.kills),
                    static_cast<long long>(n.absorbed), static_cast<long long>(n.orbShots),
                    static_cast<long long>(n.hitsTaken), static_cast<long long>(n.locks),
                    n.meanLockFrames, n.meanOrbDistance);
    }
    return std::fflush(stdout) == 0 ? stopStatus() : 1;
}

} // namespace

int runHeadless(const CommandLine& options) {
    RunFiles files;
    std::string error;
    if (!openRunFiles(options, files, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 2;
    }
    catchStopSignals();
    if (options.hasSweep) return sweep(options, files);
    setUpRun(files, nullptr, nullptr, false);
    if (files.recording) gameInput->setRecorder(&files.recorder);
    // Headless needs --input or --frames, so the run always has a last frame. Ctrl+C, SIGTERM
    // or a closed terminal end it after the frame in progress; Escape ends it as in the game.
    GameRun run(files, lastFrameOf(options, files), GameRun::Table::Skip);
    while (!stopRequested() && run.step()) {
    }
    run.finish();
    gameInput->setRecorder(nullptr);
    cleanupGame();
    if (!closeRunFiles(files, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 1;
    }
    return stopStatus();
}
