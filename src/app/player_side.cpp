// The player's side of a run, the same on the desktop and in the page.
#include "app/player_side.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/config.h"
#include "app/run_files.h"
#include "app/saved_games.h"
#include "game/game_env.h"
#include "game/setup.h"

Shell::Mode shellModeOf(const CommandLine& options, const RunFiles& files) {
    if (options.watch > 0) return Shell::Mode::Watch;
    return files.hasLog ? Shell::Mode::Replay : Shell::Mode::Play;
}

PlayerSide readPlayerSide(const CommandLine& options, const RunFiles& files) {
    PlayerSide side;
    const std::string& path = files.paths.configFile;
    const ConfigResult config = readConfig(path, displaySettings);
    std::string unread;
    // A config.txt that is there but no file the game can read (a folder, a FIFO) is named.
    if (config == ConfigResult::Missing) readConfigText(path, unread);
    if (config == ConfigResult::Read && !loadPlayerSettings(path, side.settings)) return side;
    if (config != ConfigResult::Missing) side.configPath = path;
    side.firstStart = config == ConfigResult::Created &&
                      shellModeOf(options, files) == Shell::Mode::Play && !options.hasFrames;
    return side;
}

namespace {

// --watch N: the saved game's replay becomes the run's input log.
bool findWatchedGame(CommandLine& options, ScoreEntry& entry, std::string& error) {
    if (options.watch == 0) return true;
    const GamePaths paths = resolveGamePaths(processPathFacts(options.dataPath));
    return findSavedGame(paths, options.watch, entry, options.inputPath, error);
}

} // namespace

bool openShownRunFiles(CommandLine& options, RunFiles& files, ScoreEntry& watched) {
    std::string error;
    if (findWatchedGame(options, watched, error) && openRunFiles(options, files, error) &&
        (options.watch == 0 || checkSavedGame(files.log, watched, options.inputPath, error)))
        return true;
    std::fprintf(stderr, "orvane: %s\n", error.c_str());
    return false;
}

void prepareShell(Shell& shell, const CommandLine& options, const RunFiles& files,
                  const PlayerSide& side) {
    gameEnv->gameOverFlashes = side.settings.flashes && !options.noFlashes;
    shell.loadFont(files.paths.dataFolder + "/font.tga");
    shell.setAutoPause(shellModeOf(options, files) == Shell::Mode::Play && !options.hasFrames);
    shell.setEndPaused(options.endPaused);
    shell.setWatchTitle(
        options.watch > 0 ? "GAME " + std::to_string(options.watch) + " OF THE TABLE" : "REPLAY");
    if (side.firstStart) shell.pause();
}
