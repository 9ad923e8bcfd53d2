// The player's saved games from the command line: --scores prints the table, --watch finds a game
// and makes sure its replay still plays the game the table names.
#pragma once

#include <string>

#include "app/game_paths.h"
#include "game/score_table.h"

class InputLog;
struct CommandLine;

// The folder of the score table: the best-score file's.
std::string scoreFolderOf(const GamePaths& paths);
// The table as the player reads it; says so when no game has been kept yet.
std::string scoresText(const std::vector<ScoreEntry>& entries);
// --scores: prints the table; the exit status.
int printScores(const CommandLine& options);
// The replay of the game at place (1 = best); false with one line in error.
bool findSavedGame(const GamePaths& paths, int place, ScoreEntry& entry, std::string& replayPath,
                   std::string& error);
// Plays the replay through without a window and checks that it is the game the table names: its
// length, its end on its last frame, its score and level. False with one line naming the file.
bool checkSavedGame(const InputLog& log, const ScoreEntry& entry, const std::string& replayPath,
                    std::string& error);
