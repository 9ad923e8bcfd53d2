// The run of the game: its frames and what follows each, shared by the window, the page, the
// headless program and the check of a saved game.
#include "app/game_run.h"

#include "app/game_paths.h"
#include "app/lab.h"
#include "app/run_files.h"
#include "app/saved_games.h"
#include "app/shell.h"
#include "game/game_env.h"
#include "game/game_recorder.h"
#include "game/score_writer.h"
#include "game/setup.h"
#include "render/draw.h"
#include "world/game_state.h"

GameRun::GameRun(RunFiles& files, int64_t last, Table table, bool threadedTable)
    : files_(files), frame_(files.firstFrame), last_(last) {
    if (table == Table::Keep) {
        games_ = std::make_unique<GameRecorder>(*gameEnv, files.seed, frame_);
        scores_ = std::make_unique<ScoreWriter>(scoreFolderOf(files.paths), threadedTable);
    }
    files_.dump.afterFrame(*gameEnv, frame_);
}

GameRun::~GameRun() = default;

bool GameRun::step() {
    gameEnded_ = false;
    if (atLimit()) return false;
    // A comparison replays its stretch of play: counted towards --frames, but no frame of the
    // run's own game (a run with a record or dump cannot compare).
    if (lab_ != nullptr && lab_->comparing()) {
        lab_->stepCompare();
        lab_->afterFrame();
        ++frame_;
        return true;
    }
    LabSettings due;
    if (files_.labSchedule.dueAt(frame_ - files_.firstFrame, due)) changeLab(due);
    if (!gameEnv->runFrame()) return false;
    ++frame_;
    files_.dump.afterFrame(*gameEnv, frame_);
    // Only a lab run or one writing metrics measures: the game itself pays nothing for it.
    if (files_.lab || files_.metrics != nullptr) meter_.afterFrame(*gameEnv, files_.metrics);
    if (lab_ != nullptr) lab_->afterFrame();
    if (games_ != nullptr && games_->afterFrame(*gameEnv, frame_)) scores_->submit(games_->take());
    gameEnded_ = gameEnv->state->gameOverFrames == 1;
    return true;
}

void GameRun::finish() {
    files_.dump.finish(*gameEnv, frame_);
    meter_.finish(*gameEnv, files_.metrics);
    if (scores_ != nullptr) scores_->flush();
}

// A change the new settings cannot take (it would clash) is not made.
void GameRun::changeLab(const LabSettings& settings) {
    if (!labSettingsClash(settings).empty()) return;
    if (files_.recording) {
        for (const auto& [name, value] : labChanges(gameEnv->lab, settings))
            files_.recorder.recordSetting(name, value);
    }
    gameEnv->changeLab(settings);
}

Lab* GameRun::openLab() {
    if (files_.lab && lab_ == nullptr)
        lab_ = std::make_unique<Lab>(*this, !files_.recording && !files_.dump.isOpen());
    return lab_.get();
}

LabNumbers GameRun::labNumbers() const {
    return meter_.numbers(*gameEnv);
}

void drawRunPicture(const Shell* shell) {
    beginPicture();
    gameEnv->drawScene();
    if (shell != nullptr) shell->drawOverlay();
    endPicture();
}

int FramePace::framesDue(double now) {
    int count = 0;
    while (now >= due_ && count < kMostFramesPerCall) {
        due_ += kPeriodMs;
        ++count;
    }
    if (now - due_ > kPeriodMs) due_ = now + kPeriodMs;
    return count;
}
