// The windowed program: configuration, window, set-up, the paced main loop and tear-down.
#include "app/sdl_main_loop.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/config.h"
#include "app/game_paths.h"
#include "app/game_run.h"
#include "app/headless_run.h"
#include "app/openal_audio.h"
#include "app/saved_games.h"
#include "app/sdl_devices.h"
#include "app/sdl_player_settings.h"
#include "app/sdl_shell.h"
#include "app/sdl_window.h"
#include "app/stop_signals.h"
#include "base/regular_file.h"
#include "base/sound.h"
#include "game/game_env.h"
#include "game/setup.h"
#include "input/input.h"
#include "render/screenshot.h"

namespace {

constexpr const char* kTitle = "Orvane weapons test";
constexpr int kColorBits = 32;

struct LoopState {
    SdlDevices* devices = nullptr; // the live devices, open in every windowed run
    SdlShell* shell = nullptr;
    const GamePaths* paths = nullptr;
    bool replaying = false; // the game's inputs come from a log, not the devices
    bool watching = false;  // a saved game: holding Right runs it faster
    bool screenshotRequested = false;
    GameRun* run = nullptr;
};

// A real Escape key stops a replay too, whose own inputs hold the game's key state.
bool escapeDuringReplay(const LoopState& loop, const SDL_Event& event) {
    return loop.replaying && event.type == SDL_KEYDOWN &&
           event.key.keysym.scancode == SDL_SCANCODE_ESCAPE;
}

// Handles every waiting event; false as soon as the window asks to close (a closed terminal
// counts as a close).
bool pumpEvents(LoopState& loop) {
    if (stopRequested()) return false;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (handleWindowEvent(event) == WindowRequest::Quit) return false;
        if (loop.shell->handleEvent(event) == SdlShell::Request::Quit) return false;
        if (escapeDuringReplay(loop, event)) return false;
        loop.devices->handleEvent(event);
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0 &&
            event.key.keysym.scancode == SDL_SCANCODE_F12) {
            loop.screenshotRequested = true;
        }
    }
    if (loop.devices->takeDeviceLost()) loop.shell->deviceLost();
    return true;
}

// Watching a saved game, Right or a controller's right shoulder held runs four frames a pass.
int framesThisPass(const LoopState& loop) {
    if (!loop.watching) return 1;
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    const bool fast = keys[SDL_SCANCODE_RIGHT] != 0 ||
                      loop.devices->padButtonDown(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    return fast ? 4 : 1;
}

void drawFrame(const SdlShell* shell = nullptr) {
    beginWindowPicture();
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    gameEnv->drawScene();
    if (shell != nullptr) shell->drawOverlay();
    glDisable(GL_BLEND);
    presentWindowPicture();
}

// Saves the picture just drawn, at the classic 640 by 480 whatever the window's size; false with
// the reason on standard error.
bool savePicture(const char* path) {
    std::vector<uint8_t> rgb;
    std::string reason = "could not read the picture back";
    if (readWindowPicture(rgb) && writePng(path, rgb, 640, 480, reason)) return true;
    std::fprintf(stderr, "orvane: could not save the screenshot '%s': %s\n",
                 quoteForMessage(path).c_str(), reason.c_str());
    return false;
}

// F12: beside the game when it runs from its folder, else in the player's screenshot folder;
// a name already taken (two pictures in one millisecond) gets a number.
void saveTimedScreenshot(const GamePaths& paths) {
    char name[64];
    screenshotName(name, sizeof name, std::chrono::system_clock::now());
    std::string folder;
    if (!paths.screenshotFolder.empty()) {
        makeUserFolder(paths.screenshotFolder);
        folder = paths.screenshotFolder + "/";
    }
    const std::string stem = folder + std::string(name, std::strlen(name) - 4);
    std::string path = stem + ".png";
    std::error_code error;
    for (int n = 2; std::filesystem::exists(path, error) && n < 1000; ++n)
        path = stem + "-" + std::to_string(n) + ".png";
    savePicture(path.c_str());
}

// One pass: events, the game frames (none while paused), the wait, the picture. False when the
// loop is over.
bool runPass(LoopState& loop, FrameTimer& timer, const FrameObserver& observer) {
    if (loop.run->atLimit() || !pumpEvents(loop)) return false;
    if (!loop.shell->paused()) {
        for (int n = framesThisPass(loop); n > 0 && !loop.run->atLimit(); --n)
            if (!loop.run->step()) return false; // Escape: this pass draws nothing
    }
    FrameTimer::Clock::time_point waitEnd = timer.wait();
    if (observer) observer(waitEnd);
    drawFrame(loop.shell);
    if (loop.screenshotRequested) saveTimedScreenshot(*loop.paths);
    loop.screenshotRequested = false;
    swapGLWindow();
    return true;
}

// The game between set-up and tear-down; returns the number of the last frame that ran.
int64_t playGame(const CommandLine& options, RunFiles& files, SdlDevices& devices, SdlShell& shell,
                 FrameTimer& timer, const FrameObserver& observer) {
    LoopState loop;
    loop.devices = &devices;
    loop.shell = &shell;
    loop.paths = &files.paths;
    loop.replaying = files.hasLog;
    loop.watching = options.watch > 0;
    if (files.recording) gameInput->setRecorder(&files.recorder);
    // Games played on the live devices are kept in the table, written off the frame path.
    GameRun run(files, lastFrameOf(options, files),
                loop.replaying ? GameRun::Table::Skip : GameRun::Table::Keep);
    loop.run = &run;
    while (runPass(loop, timer, observer)) {
    }
    run.finish();
    gameInput->setRecorder(nullptr);
    // Drawing changes nothing in the game, so drawing again gives the last picture shown (or,
    // when no frame was drawn, the picture the game starts with).
    if (!options.screenshotPath.empty()) {
        drawFrame(&shell);
        files.screenshotFailed = !savePicture(options.screenshotPath.c_str());
    }
    return run.frame();
}

SdlShell::Mode shellMode(const CommandLine& options, const RunFiles& files) {
    if (options.watch > 0) return SdlShell::Mode::Watch;
    return files.hasLog ? SdlShell::Mode::Replay : SdlShell::Mode::Play;
}

// The player's side of config.txt: the settings after its first line, whether this is the very
// first start of a plain game (the file was only now created), and where changes are saved.
struct PlayerSide {
    PlayerSettings settings;
    bool firstStart = false;
    std::string configPath; // empty when config.txt could not be read or made
};

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
                      shellMode(options, files) == SdlShell::Mode::Play && !options.hasFrames;
    return side;
}

// --watch N: the saved game's replay becomes the run's input log.
bool findWatchedGame(CommandLine& options, ScoreEntry& entry, std::string& error) {
    if (options.watch == 0) return true;
    const GamePaths paths = resolveGamePaths(processPathFacts(options.dataPath));
    return findSavedGame(paths, options.watch, entry, options.inputPath, error);
}

// The run's files, and for --watch the saved game, checked to play as its row says; false after
// one line on standard error.
bool openWindowedRunFiles(CommandLine& options, RunFiles& files, ScoreEntry& watched) {
    std::string error;
    if (findWatchedGame(options, watched, error) && openRunFiles(options, files, error) &&
        (options.watch == 0 || checkSavedGame(files.log, watched, options.inputPath, error)))
        return true;
    std::fprintf(stderr, "orvane: %s\n", error.c_str());
    return false;
}

// Set-up with the window's devices and sound. A replay's own inputs drive the game; the devices
// still serve the shell's controls.
void setUpWindowedGame(const RunFiles& files, SdlDevices& devices, OpenAlAudio& audio) {
    SoundRecord::clear();
    SetupOptions setup;
    describeSetup(files, setup);
    setup.inputSource = files.replay ? static_cast<InputSource*>(files.replay.get()) : &devices;
    setup.uploadTextures = true;
    setup.soundOutput = &audio;
    setupGame(setup);
    startLoggedGame(files);
    if (files.replay) devices.start();
}

// The shell's font, flashes and titles; the very first start opens on the controls, so a new
// player learns the chain before the first enemy.
void prepareShell(SdlShell& shell, const CommandLine& options, const RunFiles& files,
                  const PlayerSide& side) {
    gameEnv->gameOverFlashes = side.settings.flashes && !options.noFlashes;
    shell.loadFont(files.paths.dataFolder + "/font.tga");
    shell.setAutoPause(shellMode(options, files) == SdlShell::Mode::Play && !options.hasFrames);
    shell.setWatchTitle(
        options.watch > 0 ? "GAME " + std::to_string(options.watch) + " OF THE TABLE" : "REPLAY");
    if (side.firstStart) shell.pause();
}

std::string windowTitle(const CommandLine& options, const ScoreEntry& entry) {
    if (options.watch == 0) return kTitle;
    return "Orvane - watching game " + std::to_string(options.watch) + " of the table (" +
           std::to_string(entry.score) + " points, " + entry.date + ")";
}

// A software OpenGL driver allocates and frees its scene and vertex buffers every frame; with the C
// library's defaults the heap is given back to the system after each picture and taken again,
// page by fresh zeroed page, in the next (half to two thirds of the process's system time under
// llvmpipe). Keeping freed memory costs nothing once the first pictures have grown the heap.
void keepFreedMemory() {
    constexpr int kThreshold = 64 << 20;
    mallopt(M_TRIM_THRESHOLD, kThreshold);
    mallopt(M_MMAP_THRESHOLD, kThreshold / 2);
}

} // namespace

void screenshotName(char* name, int size, std::chrono::system_clock::time_point when) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()) % 1000;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::snprintf(name, static_cast<size_t>(size), "screenshot-%s-%03d.png", stamp,
                  static_cast<int>(millis.count()));
}

int runWindowed(const CommandLine& commandLine, const FrameObserver& observer) {
    keepFreedMemory();
    CommandLine options = commandLine;
    RunFiles files;
    ScoreEntry watched;
    if (!openWindowedRunFiles(options, files, watched)) return 2;
    displaySettings = DisplaySettings{};
    if (!files.paths.classic) makeUserFolder(files.paths.configFolder);
    const PlayerSide side = readPlayerSide(options, files);
    WindowOptions window{options.hasScale, options.scale, options.vsync};
    // Ctrl+C and SIGTERM end the game after its frame, as in the headless program, rather than
    // as SDL's close of the window: the exit status then tells the signal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    catchStopSignals();
    if (!createGLWindow(windowTitle(options, watched).c_str(), displaySettings.width,
                        displaySettings.height, kColorBits, displaySettings.fullscreen,
                        displaySettings.frameRate, window)) {
        return 1;
    }
    FrameTimer timer(static_cast<float>(kFramePeriodSeconds));
    timer.restart();
    SdlDevices devices;
    OpenAlAudio audio(files.paths.dataFolder + "/sfx");
    setUpWindowedGame(files, devices, audio);
    SdlShell shell(shellMode(options, files), side.settings, side.configPath, &devices, &audio,
                   options.mute);
    prepareShell(shell, options, files, side);
    playGame(options, files, devices, shell, timer, observer);
    cleanupGame();
    devices.shutdown();
    destroyGLWindow();
    SDL_Quit();
    std::string error;
    if (!closeRunFiles(files, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 1;
    }
    return files.screenshotFailed ? 1 : stopStatus();
}
