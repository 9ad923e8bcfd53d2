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
#include "app/headless_run.h"
#include "app/openal_audio.h"
#include "app/sdl_devices.h"
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
constexpr float kPeriodFactor = 0.98f;

struct LoopState {
    SdlDevices* devices = nullptr; // the live devices, when they are the input source
    const GamePaths* paths = nullptr;
    bool screenshotRequested = false;
    int64_t frame = 0;       // game frames run
    int64_t frameLimit = -1; // -1: until Escape or the window closes
};

// A real Escape key stops a replay too, whose own inputs hold the game's key state.
bool escapeDuringReplay(const LoopState& loop, const SDL_Event& event) {
    return loop.devices == nullptr && event.type == SDL_KEYDOWN &&
           event.key.keysym.scancode == SDL_SCANCODE_ESCAPE;
}

// Handles every waiting event; false as soon as the window asks to close (a closed terminal
// counts as a close).
bool pumpEvents(LoopState& loop) {
    if (stopRequested()) return false;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (handleWindowEvent(event) == WindowRequest::Quit) return false;
        if (escapeDuringReplay(loop, event)) return false;
        if (loop.devices != nullptr) loop.devices->handleEvent(event);
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0 &&
            event.key.keysym.scancode == SDL_SCANCODE_F12) {
            loop.screenshotRequested = true;
        }
    }
    return true;
}

void drawFrame() {
    beginWindowPicture();
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    gameEnv->drawScene();
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

// One pass: events, a game frame, the wait, the picture. False when the loop is over.
bool runPass(LoopState& loop, RunFiles& files, FrameTimer& timer, const FrameObserver& observer) {
    if (loop.frameLimit >= 0 && loop.frame >= loop.frameLimit) return false;
    if (!pumpEvents(loop)) return false;
    if (!gameEnv->runFrame()) return false; // Escape: this pass draws nothing
    ++loop.frame;
    files.dump.afterFrame(*gameEnv, loop.frame);
    FrameTimer::Clock::time_point waitEnd = timer.wait();
    if (observer) observer(waitEnd);
    drawFrame();
    if (loop.screenshotRequested) saveTimedScreenshot(*loop.paths);
    loop.screenshotRequested = false;
    swapGLWindow();
    return true;
}

int64_t frameLimit(const CommandLine& options, const RunFiles& files) {
    if (options.hasFrames) return options.frames;
    if (files.hasLog) return files.log.frameCount();
    return -1;
}

// The game between set-up and tear-down; returns the number of the last frame that ran.
int64_t playGame(const CommandLine& options, RunFiles& files, SdlDevices* devices,
                 FrameTimer& timer, const FrameObserver& observer) {
    LoopState loop;
    loop.devices = devices;
    loop.paths = &files.paths;
    loop.frameLimit = frameLimit(options, files);
    if (files.recording) gameInput->setRecorder(&files.recorder);
    files.dump.afterFrame(*gameEnv, 0);
    while (runPass(loop, files, timer, observer)) {
    }
    files.dump.finish(*gameEnv, loop.frame);
    gameInput->setRecorder(nullptr);
    // Drawing changes nothing in the game, so drawing again gives the last picture shown (or,
    // when no frame was drawn, the picture the game starts with).
    if (!options.screenshotPath.empty()) {
        drawFrame();
        files.screenshotFailed = !savePicture(options.screenshotPath.c_str());
    }
    return loop.frame;
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

int runWindowed(const CommandLine& options, const FrameObserver& observer) {
    keepFreedMemory();
    RunFiles files;
    std::string error;
    if (!openRunFiles(options, files, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 2;
    }
    displaySettings = DisplaySettings{};
    if (!files.paths.classic) makeUserFolder(files.paths.configFolder);
    readConfig(files.paths.configFile, displaySettings);
    WindowOptions window{options.hasScale, options.scale, options.vsync};
    // Ctrl+C and SIGTERM end the game after its frame, as in the headless program, rather than
    // as SDL's close of the window: the exit status then tells the signal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    catchStopSignals();
    if (!createGLWindow(kTitle, displaySettings.width, displaySettings.height, kColorBits,
                        displaySettings.fullscreen, displaySettings.frameRate, window)) {
        return 1;
    }
    FrameTimer timer(kPeriodFactor / static_cast<float>(displaySettings.frameRate));
    timer.restart();
    SdlDevices devices;
    OpenAlAudio audio(files.paths.dataFolder + "/sfx");
    SoundRecord::clear();
    SetupOptions setup;
    describeSetup(files, setup);
    setup.inputSource = files.replay ? static_cast<InputSource*>(files.replay.get()) : &devices;
    setup.uploadTextures = true;
    setup.soundOutput = &audio;
    setupGame(setup);
    playGame(options, files, files.replay ? nullptr : &devices, timer, observer);
    cleanupGame();
    destroyGLWindow();
    SDL_Quit();
    if (!closeRunFiles(files, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 1;
    }
    return files.screenshotFailed ? 1 : stopStatus();
}
