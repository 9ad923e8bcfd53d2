// One run of the game between set-up and tear-down, as every loop runs it: a game frame and all
// that follows it, the frame count and where it stops, and the pace the frames are due at.
#pragma once

#include <cstdint>
#include <memory>

#include "app/lab_meter.h"

class Lab;
struct LabSettings;
struct RunFiles;
class GameRecorder;
class Shell;
class ScoreWriter;

// The game's pace: a frame every 0.98 / 75 s, so at most about 76.5 frames a second.
constexpr double kFramePeriodSeconds = 0.98 / 75.0;

class GameRun {
  public:
    enum class Table {
        Skip, // a replay, a headless run: its games are not the player's
        Keep, // live play: each game that ends goes to the table of the best games
    };
    // Frames are counted on from the files' first frame up to last (-1: no limit). Writes the
    // dump's first line, the state the run starts with.
    GameRun(RunFiles& files, int64_t last, Table table, bool threadedTable = true);
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    // One game frame and what follows it: the dump's line, the recorder, a game that ended handed
    // to the table. False, running nothing, once the limit is reached; false too when Escape
    // ended the game in this frame (which changed nothing and is not dumped).
    bool step();
    bool atLimit() const { return last_ >= 0 && frame_ >= last_; }
    int64_t frame() const { return frame_; }
    // True when the last step ended a game: the best score and the table may have been written.
    bool gameEnded() const { return gameEnded_; }
    // Writes the dump's last line and the metrics' last row, and waits for the table's writer.
    void finish();
    // The lab's new weapon from the next frame on, kept in the record when there is one.
    void changeLab(const LabSettings& settings);
    LabNumbers labNumbers() const;
    // The lab of a lab run shown to a player (made on the first call), else null.
    Lab* openLab();

  private:
    RunFiles& files_;
    int64_t frame_;
    int64_t last_;
    bool gameEnded_ = false;
    std::unique_ptr<GameRecorder> games_;
    std::unique_ptr<ScoreWriter> scores_;
    LabMeter meter_;
    std::unique_ptr<Lab> lab_;
};

// One picture of the run: the scene, and over it the shell's screen when it shows one.
void drawRunPicture(const Shell* shell);

// Frames due by the game's own clock for a loop that is called back (a browser's frames): at
// most a few a call; after a stall (a hidden tab, a slow machine) the debt is dropped rather than
// run as a burst.
class FramePace {
  public:
    static constexpr int kMostFramesPerCall = 4;
    // now and every time after it in milliseconds of any steady clock.
    void restart(double now) { due_ = now; }
    // How many frames are due at now (0 to kMostFramesPerCall).
    int framesDue(double now);
    // While paused no frame falls due; the first after resuming waits one period.
    void hold(double now) { due_ = now + kPeriodMs; }

  private:
    static constexpr double kPeriodMs = kFramePeriodSeconds * 1000.0;
    double due_ = 0.0;
};
