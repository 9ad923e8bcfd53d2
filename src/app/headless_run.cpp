// The headless program: the same set-up, frames and tear-down as the game, with nothing shown.
#include "app/headless_run.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/game_run.h"
#include "app/run_files.h"
#include "app/stop_signals.h"
#include "game/setup.h"
#include "input/input.h"

int runHeadless(const CommandLine& options) {
    RunFiles files;
    std::string error;
    if (!openRunFiles(options, files, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 2;
    }
    catchStopSignals();
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
