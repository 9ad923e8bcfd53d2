// The windowed program: configuration, window, set-up, the paced main loop and tear-down.
#include "desktop/sdl_main_loop.h"

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
#include "app/player_side.h"
#include "app/run_files.h"
#include "app/saved_games.h"
#include "app/stop_signals.h"
#include "base/regular_file.h"
#include "base/sound.h"
#include "desktop/sdl_devices.h"
#include "desktop/sdl_window.h"
#include "game/game_env.h"
#include "game/setup.h"
#include "input/input.h"
#include "render/screenshot.h"
#include "sound/openal_audio.h"

namespace {

constexpr const char* kTitle = "Orvane weapons test";
constexpr int kColorBits = 32;

struct LoopState {
    SdlDevices* devices = nullptr; // the live devices, open in every windowed run
    Shell* shell = nullptr;
    const GamePaths* paths = nullptr;
    bool screenshotRequested = false;
    GameRun* run = nullptr;
};

// An SDL event as the shell sees it; false for one it does not take.
bool shellEventOf(const SDL_Event& event, ShellEvent& shell) {
    using Kind = ShellEvent::Kind;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        shell = {event.type == SDL_KEYDOWN ? Kind::KeyDown : Kind::KeyUp,
                 event.key.keysym.scancode};
        return event.key.repeat == 0;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        shell = {event.type == SDL_CONTROLLERBUTTONDOWN ? Kind::ButtonDown : Kind::ButtonUp, 0,
                 static_cast<PadButton>(event.cbutton.button)};
        return true;
    case SDL_WINDOWEVENT:
        shell.kind =
            event.window.event == SDL_WINDOWEVENT_MINIMIZED ? Kind::Hidden : Kind::FocusLost;
        return event.window.event == SDL_WINDOWEVENT_MINIMIZED ||
               event.window.event == SDL_WINDOWEVENT_FOCUS_LOST;
    default:
        return false;
    }
}

// Hands the shell its share of an event; false when the run is to end.
bool shellTakes(LoopState& loop, const ShellEvent& event) {
    const Shell::Request request = loop.shell->handle(event);
    if (request == Shell::Request::Screenshot) loop.screenshotRequested = true;
    if (request == Shell::Request::ExportLab) {
        if (!loop.paths->screenshotFolder.empty()) makeUserFolder(loop.paths->screenshotFolder);
        loop.shell->labMessage(
            saveLabComparison(loop.paths->screenshotFolder, loop.shell->labExport()));
    }
    return request != Shell::Request::Quit;
}

// Handles every waiting event; false as soon as the window asks to close (a closed terminal
// counts as a close).
bool pumpEvents(LoopState& loop) {
    if (stopRequested()) return false;
    SDL_Event event;
    ShellEvent shell{};
    while (SDL_PollEvent(&event) != 0) {
        if (handleWindowEvent(event) == WindowRequest::Quit) return false;
        if (shellEventOf(event, shell) && !shellTakes(loop, shell)) return false;
        loop.devices->handleEvent(event);
    }
    if (loop.devices->takeDeviceLost()) return shellTakes(loop, {ShellEvent::Kind::DeviceLost});
    return true;
}

void drawFrame(const Shell* shell = nullptr) {
    beginWindowPicture();
    drawRunPicture(shell);
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
    for (int n = loop.shell->framesThisPass(1); n > 0 && !loop.run->atLimit(); --n)
        if (!loop.run->step()) return false; // Escape: this pass draws nothing
    FrameTimer::Clock::time_point waitEnd = timer.wait();
    if (observer) observer(waitEnd);
    drawFrame(loop.shell);
    if (loop.screenshotRequested) saveTimedScreenshot(*loop.paths);
    loop.screenshotRequested = false;
    swapGLWindow();
    return true;
}

// The game between set-up and tear-down; returns the number of the last frame that ran.
int64_t playGame(const CommandLine& options, RunFiles& files, SdlDevices& devices, Shell& shell,
                 FrameTimer& timer, const FrameObserver& observer) {
    LoopState loop;
    loop.devices = &devices;
    loop.shell = &shell;
    loop.paths = &files.paths;
    if (files.recording) gameInput->setRecorder(&files.recorder);
    // Games played on the live devices are kept in the table, written off the frame path.
    GameRun run(files, lastFrameOf(options, files),
                keepsGames(files) ? GameRun::Table::Keep : GameRun::Table::Skip);
    loop.run = &run;
    shell.attachLab(run);
    while (runPass(loop, timer, observer)) {
    }
    run.finish();
    gameInput->setRecorder(nullptr);
    // Drawing changes nothing in the game, so drawing again gives the last picture shown (or,
    // when no frame was drawn, the picture the game starts with).
    shell.endRun();
    if (!options.screenshotPath.empty()) {
        drawFrame(&shell);
        files.screenshotFailed = !savePicture(options.screenshotPath.c_str());
    }
    return run.frame();
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
    if (!openShownRunFiles(options, files, watched)) return 2;
    displaySettings = DisplaySettings{};
    if (!files.paths.classic) makeUserFolder(files.paths.configFolder);
    const PlayerSide side = readPlayerSide(options, files);
    WindowOptions window{options.hasScale, options.scale, options.vsync, options.renderer};
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
    setUpRun(files, &devices, &audio, true);
    Shell shell(shellModeOf(options, files), side.settings, side.configPath, &audio, options.mute);
    shell.setSettingsListener(
        [&devices](const PlayerSettings& settings) { devices.setBindings(settings); });
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
