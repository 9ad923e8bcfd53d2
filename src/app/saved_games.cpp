// Reading the score table for --scores and --watch, and checking a replay before it is shown.
#include "app/saved_games.h"

#include <cstdio>
#include <filesystem>

#include "app/command_line.h"
#include "app/game_run.h"
#include "app/run_files.h"
#include "base/regular_file.h"
#include "base/sound.h"
#include "game/game_env.h"
#include "game/setup.h"
#include "input/input_log.h"
#include "world/game_state.h"

std::string scoreFolderOf(const GamePaths& paths) {
    const std::filesystem::path file(paths.highScoreFile);
    return file.has_parent_path() ? file.parent_path().string() : ".";
}

std::string scoresText(const std::vector<ScoreEntry>& entries) {
    if (entries.empty()) return "No games in the table yet: play one to the end.\n";
    std::string text = "rank        score  level  date                  frames  replay\n";
    for (size_t i = 0; i < entries.size(); ++i) {
        const ScoreEntry& e = entries[i];
        // What an edited file holds reaches the terminal only escaped.
        char line[160];
        std::snprintf(line, sizeof line, "%4zu  %11d  %5d  %-20s  %6lld  ", i + 1,
                      static_cast<int>(e.score), static_cast<int>(e.level),
                      escapeForTerminal(e.date).c_str(), static_cast<long long>(e.frames));
        text += line + escapeForTerminal(e.replay) + "\n";
    }
    return text;
}

int printScores(const CommandLine& options) {
    const GamePaths paths = resolveGamePaths(processPathFacts(options.dataPath));
    std::vector<ScoreEntry> entries;
    std::string error;
    if (!ScoreTable::load(scoreFolderOf(paths), entries, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 2;
    }
    const std::string text = scoresText(entries);
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "orvane: could not write to standard output\n");
        return 1;
    }
    return 0;
}

bool findSavedGame(const GamePaths& paths, int place, ScoreEntry& entry, std::string& replayPath,
                   std::string& error) {
    std::vector<ScoreEntry> entries;
    const std::string folder = scoreFolderOf(paths);
    if (!ScoreTable::load(folder, entries, error)) return false;
    if (place < 1 || static_cast<size_t>(place) > entries.size()) {
        error = "--watch " + std::to_string(place) + ": the table holds " +
                std::to_string(entries.size()) + " game" + (entries.size() == 1 ? "" : "s");
        return false;
    }
    entry = entries[static_cast<size_t>(place) - 1];
    replayPath = folder + "/" + entry.replay;
    return true;
}

namespace {

// The state the replay ends in: set-up without window or sound, the game started as it was, and
// every frame of the log.
bool playsAsTableSays(const InputLog& log, const ScoreEntry& entry) {
    InputLogSource source(log);
    SetupOptions setup;
    setup.seed = log.seed;
    setup.inputSource = &source;
    setup.uploadTextures = false;
    setup.highScorePath = "";
    setupGame(setup);
    gameEnv->startGameFrom({log.start.random, log.start.colorCycle, log.start.highScore});
    const GameState& state = *gameEnv->state;
    RunFiles nothing; // no dump, no record: the state alone is looked at
    int64_t frames = 0;
    {
        GameRun run(nothing, log.frameCount(), GameRun::Table::Skip);
        while (state.gameOverFrames == 0 && run.step())
            SoundRecord::clear();
        frames = run.frame();
    }
    // The game must end on the log's last frame, not before it nor after.
    const bool same = frames == log.frameCount() && state.gameOverFrames == 1 &&
                      state.score == entry.score && state.level == entry.level;
    cleanupGame();
    return same;
}

} // namespace

bool checkSavedGame(const InputLog& log, const ScoreEntry& entry, const std::string& replayPath,
                    std::string& error) {
    const bool matches =
        log.start.present && log.frameCount() == entry.frames && playsAsTableSays(log, entry);
    if (!matches)
        error = "'" + quoteForMessage(replayPath) + "' no longer plays the game the table names";
    return matches;
}
