// A run's files and set-up, the same for every way of running the game: the data folder and the
// player's files, the input log, the record and the dump, checked before any frame runs.
#include "app/run_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "app/command_line.h"
#include "app/standard_streams.h"
#include "base/regular_file.h"
#include "base/sound.h"
#include "game/game_env.h"
#include "game/setup.h"

namespace {

bool findPaths(const CommandLine& options, GamePaths& paths, std::string& error) {
    paths = resolveGamePaths(processPathFacts(options.dataPath));
    if (!options.dataPath.empty() && !std::filesystem::is_directory(options.dataPath)) {
        error = "--data: '" + quoteForMessage(options.dataPath) + "' is not a folder";
        return false;
    }
    // The ship's picture stands for the set: a folder without it is not the game's data.
    if (!options.dataPath.empty() && !std::filesystem::exists(options.dataPath + "/ship1.tga")) {
        std::fprintf(stderr,
                     "orvane: --data: '%s' holds none of the game's pictures; playing "
                     "without pictures and sounds\n",
                     quoteForMessage(options.dataPath).c_str());
    }
    if (paths.dataFolder.empty()) {
        std::fprintf(stderr, "orvane: no data folder here, beside the program or installed "
                             "(try --data DIR); playing without pictures and sounds\n");
        paths.dataFolder = "data";
    }
    // Where the score cannot be kept, it stays in memory for the run.
    if (!paths.classic) makeUserFolder(paths.scoreFolder);
    return true;
}

// One file a run names: the option and its path.
struct NamedFile {
    const char* option;
    const std::string& path;
};

// What a path names now; "-" is standard output, whatever it is open on.
bool statOf(const std::string& path, struct stat& info) {
    return path == "-" ? ::fstat(STDOUT_FILENO, &info) == 0 : ::stat(path.c_str(), &info) == 0;
}

// The same file under two names: the same device and inode where both exist (standard output
// and /dev/stdout, a link, a hard link), else the same place once both paths are made absolute.
bool sameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    struct stat first {};
    struct stat second {};
    if (statOf(a, first) && statOf(b, second))
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    if (a == "-" || b == "-") return false;
    std::error_code error;
    const auto left = std::filesystem::weakly_canonical(std::filesystem::absolute(a), error);
    const auto right = std::filesystem::weakly_canonical(std::filesystem::absolute(b), error);
    return left == right;
}

// Outputs that would overwrite the input log or each other are refused before anything opens.
bool checkOutputs(const CommandLine& options, std::string& error) {
    const NamedFile files[] = {{"--input", options.inputPath},
                               {"--record", options.recordPath},
                               {"--dump", options.dumpPath},
                               {"--screenshot", options.screenshotPath},
                               {"--metrics", options.metricsPath}};
    for (size_t i = 0; i < std::size(files); ++i) {
        const bool toOutput = files[i].option == std::string("--dump") ||
                              files[i].option == std::string("--record") ||
                              files[i].option == std::string("--metrics");
        if (toOutput && files[i].path == "-" && standardOutputWasClosed()) {
            error = std::string(files[i].option) + " -: standard output is closed";
            return false;
        }
        for (size_t j = i + 1; j < std::size(files); ++j) {
            if (files[i].path.empty() || files[j].path.empty()) continue;
            if (!sameFile(files[i].path, files[j].path)) continue;
            error = std::string(files[i].option) + " and " + files[j].option +
                    " name the same file '" + quoteForMessage(files[j].path) + "'";
            return false;
        }
    }
    return true;
}

} // namespace

// A count as large as --frames allows, after a saved game's start, stops at the largest frame.
int64_t lastFrameOf(const CommandLine& options, const RunFiles& files) {
    if (!options.hasFrames && !files.hasLog) return -1;
    const int64_t count = options.hasFrames ? options.frames : files.log.frameCount();
    return count > INT64_MAX - files.firstFrame ? INT64_MAX : files.firstFrame + count;
}

// --seed replaces a saved game's own generator state, as it replaces a whole log's seed.
void setUpRun(const RunFiles& files, InputSource* devices, SoundOutput* sound, bool pictures) {
    SoundRecord::clear();
    const InputLog::Start& start = files.log.start;
    const bool savedGame = files.hasLog && start.present;
    SetupOptions setup;
    setup.seed = files.seed;
    setup.dataFolder = files.paths.dataFolder;
    setup.highScorePath = savedGame ? "" : files.paths.highScoreFile;
    setup.inputSource = files.replay ? files.replay.get() : devices;
    setup.uploadTextures = pictures;
    setup.soundOutput = sound;
    setup.lab = &files.labStart;
    if (files.lab) setup.highScorePath = "";
    setupGame(setup);
    if (files.replay && devices != nullptr) devices->start();
    if (savedGame)
        gameEnv->startGameFrom(
            {files.hasSeed ? files.seed : start.random, start.colorCycle, start.highScore});
}

namespace {

// A screenshot that could never be saved is refused now rather than after the whole game: its
// folder must exist and take new files, and the path must not be a folder.
bool checkScreenshot(const std::string& path, std::string& error) {
    if (path.empty()) return true;
    const std::filesystem::path file(path);
    const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
    std::error_code ignored;
    const char* why = std::filesystem::is_directory(file, ignored)      ? "it is a folder"
                      : !std::filesystem::is_directory(folder, ignored) ? "no such folder"
                      : ::access(folder.c_str(), W_OK | X_OK) != 0 ? "its folder cannot be written"
                                                                   : nullptr;
    if (why == nullptr) return true;
    error = "--screenshot: cannot save '" + quoteForMessage(path) + "': " + why;
    return false;
}

} // namespace

bool keepsGames(const RunFiles& files) {
    return !files.hasLog && !files.lab;
}

namespace {

// The weapon: the log's own lab lines, then each --lab in order over them.
bool openLab(const CommandLine& options, RunFiles& files, std::string& error) {
    if (files.hasLog && !files.labSchedule.load(files.log, files.labStart, error)) {
        error = "input log '" + quoteForMessage(options.inputPath) + "' " + error;
        return false;
    }
    for (const std::string& argument : options.labArguments) {
        if (!applyLabArgument(argument, files.labStart, error)) return false;
    }
    const std::string clash = labSettingsClash(files.labStart);
    if (!clash.empty()) {
        error = "--lab: " + clash;
        return false;
    }
    files.lab = options.lab || options.hasSweep || !files.log.settings.empty();
    return true;
}

bool openMetrics(const CommandLine& options, RunFiles& files, std::string& error) {
    if (options.metricsPath.empty()) return true;
    files.metrics =
        options.metricsPath == "-" ? stdout : std::fopen(options.metricsPath.c_str(), "w");
    if (files.metrics != nullptr) return true;
    error = "--metrics: cannot write '" + quoteForMessage(options.metricsPath) +
            "': " + std::strerror(errno);
    return false;
}

} // namespace

bool openRunFiles(const CommandLine& options, RunFiles& files, std::string& error) {
    if (!checkOutputs(options, error) || !checkScreenshot(options.screenshotPath, error) ||
        !findPaths(options, files.paths, error))
        return false;
    if (!options.inputPath.empty()) {
        if (!loadInputLog(options.inputPath, files.log, error)) return false;
        files.hasLog = true;
        files.replay = std::make_unique<InputLogSource>(files.log);
    }
    if (!openLab(options, files, error)) return false;
    files.hasSeed = options.hasSeed;
    if (files.hasLog) files.firstFrame = files.log.start.frame;
    if (options.hasSeed)
        files.seed = options.seed;
    else if (files.hasLog)
        files.seed = files.log.seed;
    else
        files.seed = static_cast<uint32_t>(std::time(nullptr));
    if (!options.dumpPath.empty() && !files.dump.open(options.dumpPath, options.dumpEvery, error)) {
        return false;
    }
    if (!options.recordPath.empty()) {
        // A saved game recorded again begins where it began, with the generator it began with.
        InputLog::Start start = files.log.start;
        if (start.present && files.hasSeed) start.random = files.seed;
        if (!files.recorder.open(options.recordPath, files.seed, error, start)) return false;
        for (const auto& [name, value] : labChanges(LabSettings{}, files.labStart))
            files.recorder.recordSetting(name, value);
        files.recording = true;
    }
    return openMetrics(options, files, error);
}

bool closeRunFiles(RunFiles& files, std::string& error) {
    bool ok = true;
    if (!files.dump.close()) {
        error = "could not write the whole state dump";
        ok = false;
    }
    if (files.recording && !files.recorder.close()) {
        error = "could not write the whole input log";
        ok = false;
    }
    if (files.metrics != nullptr) {
        const bool closed =
            files.metrics == stdout ? std::fflush(stdout) == 0 : std::fclose(files.metrics) == 0;
        files.metrics = nullptr;
        if (!closed) {
            error = "could not write the whole metrics file";
            ok = false;
        }
    }
    return ok;
}
