// The weapon lab around a run: its settings changed while playing, the orbs' traces, and two
// settings compared over the same stretch of play.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/lab_meter.h"
#include "app/lab_trace.h"
#include "game/game_env.h"
#include "input/input_log.h"
#include "world/lab_settings.h"

class GameRun;

class Lab {
  public:
    // compareAllowed: false for a run whose frames go to a record or dump, which a comparison
    // (replaying the stretch again and again) would make untrue.
    Lab(GameRun& run, bool compareAllowed);
    ~Lab();
    Lab(const Lab&) = delete;
    Lab& operator=(const Lab&) = delete;

    // After each frame of play: the traces, and the inputs of the game so far.
    void afterFrame();
    const LabTrace& trace() const { return trace_; }

    // The settings the picture shows now, and a change to them from the next frame on; false
    // with why when they cannot go together.
    const LabSettings& settings() const;
    bool change(const LabSettings& settings, std::string& why);

    // Two settings, one play: the game so far (its stretch) replayed under A and B in turn. Both
    // start as the settings of now; changes go to the one shown.
    bool startCompare(std::string& why);
    // Back to playing: a new game with the settings shown.
    void stopCompare();
    bool comparing() const { return comparing_; }
    void switchView();
    char view() const { return showingB_ ? 'B' : 'A'; }
    // One frame of the run shown; at the stretch's end it starts again.
    void stepCompare();
    int64_t compareFrame() const { return frame_; }
    int64_t stretchFrames() const { return stretch_.frameCount(); }
    // Each setting's numbers over the whole stretch.
    const LabNumbers& totals(char which) const { return which == 'B' ? totalB_ : totalA_; }
    // Both runs' numbers for each second of the stretch, as one CSV table.
    std::string exportText();

  private:
    void replayTo(const LabSettings& settings, int64_t frames, LabMeter* meter = nullptr,
                  std::FILE* csv = nullptr);
    void measureBoth();

    GameRun& run_;
    bool compareAllowed_;
    LabTrace trace_;
    InputLog stretch_;
    GameStart stretchStart_;
    bool comparing_ = false;
    bool showingB_ = false;
    LabSettings a_;
    LabSettings b_;
    LabNumbers totalA_;
    LabNumbers totalB_;
    int64_t frame_ = 0;
    std::unique_ptr<InputLogSource> source_;
};
