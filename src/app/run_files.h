// A run's files and set-up, shared by the window, the page and the headless program: what the
// command line names, opened and checked before any frame runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/game_paths.h"
#include "app/lab_file.h"
#include "game/state_dump.h"
#include "input/input_log.h"

struct CommandLine;
class InputSource;
class SoundOutput;

// The files a run names on its command line, opened and checked before any frame runs.
struct RunFiles {
    bool hasLog = false;
    InputLog log;
    std::unique_ptr<InputLogSource> replay; // over log, when --input was given
    bool recording = false;
    InputLogRecorder recorder;
    StateDump dump;
    uint32_t seed = 0;      // --seed, else the log's seed, else the clock
    bool hasSeed = false;   // --seed was given
    int64_t firstFrame = 0; // frames the session had run before the log's game began
    GamePaths paths;
    bool screenshotFailed = false; // --screenshot could not be saved: the run fails
    // A lab run (--lab, --lab-sweep, or a log with lab lines): its weapon at the start and the
    // log's later changes. Lab games keep no score and enter no table.
    bool lab = false;
    LabSettings labStart;
    LabSchedule labSchedule;
    std::FILE* metrics = nullptr; // --metrics
};

// Whether the run's ended games go to the table of the best games: only live play's do.
bool keepsGames(const RunFiles& files);

// Finds the data folder and the player's files, reads the input log and creates the record and
// dump files; false with one line in error.
bool openRunFiles(const CommandLine& options, RunFiles& files, std::string& error);
// The frame number the run stops after: --frames more than the log's game began at, else the
// end of the log; -1 without either (play until Escape or the window closes).
int64_t lastFrameOf(const CommandLine& options, const RunFiles& files);
// Sets the game up as the run's files say: the seed, the data folder and the score file (none
// for a saved game, whose end already counted in it), the log's inputs when there is one, else
// the devices (null: nothing held), which a log leaves started for the shell; a saved game then
// starts again as it began. pictures: textures are uploaded (a window or a page).
void setUpRun(const RunFiles& files, InputSource* devices, SoundOutput* sound, bool pictures);
// Flushes and closes the record and dump; false with one line in error when a write failed.
bool closeRunFiles(RunFiles& files, std::string& error);
