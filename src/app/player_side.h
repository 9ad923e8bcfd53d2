// What every platform does the same way around a run shown to the player: the saved game to
// watch, config.txt's display choice and settings, and the shell made ready.
#pragma once

#include <string>

#include "app/player_settings.h"
#include "app/shell.h"

struct CommandLine;
struct RunFiles;
struct ScoreEntry;

// Watching a saved game, replaying a log, or playing on the devices.
Shell::Mode shellModeOf(const CommandLine& options, const RunFiles& files);

// The player's side of config.txt: the settings after its display choice, whether this is the
// very first start of a plain game (the file was only now created), and where changes are saved.
struct PlayerSide {
    PlayerSettings settings;
    bool firstStart = false;
    std::string configPath; // empty when config.txt could not be read or made
};
// Reads config.txt (creating it when missing) into the display settings and the player's side;
// a file that is there but cannot be read is named on standard error.
PlayerSide readPlayerSide(const CommandLine& options, const RunFiles& files);

// The run's files and, for --watch N, the saved game (its replay becomes the run's input log),
// checked to play as its row says; false after one line on standard error.
bool openShownRunFiles(CommandLine& options, RunFiles& files, ScoreEntry& watched);

// The shell's font, flashes and titles; the very first start opens on the controls, so a new
// player learns the chain before the first enemy.
void prepareShell(Shell& shell, const CommandLine& options, const RunFiles& files,
                  const PlayerSide& side);
