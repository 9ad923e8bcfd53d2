// One browser frame callback: the game frames that are due (none while paused), then one picture.
#include "app/web_main_loop.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <emscripten.h>
#include <emscripten/html5.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/config.h"
#include "app/game_run.h"
#include "app/headless_run.h"
#include "app/openal_audio.h"
#include "app/player_options.h"
#include "app/web_devices.h"
#include "base/sound.h"
#include "game/game_env.h"
#include "game/setup.h"
#include "game/state_dump.h"
#include "render/gl_projection.h"
#include "render/overlay.h"
#include "render/plain_png.h"
#include "render/text_font.h"
#include "world/game_state.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Everything the loop keeps between callbacks.
struct WebGame {
    RunFiles files;
    WebDevices devices;
    std::unique_ptr<OpenAlAudio> audio;
    std::unique_ptr<GameRun> run;
    TextFont font;
    GLFWwindow* window = nullptr;
    // A display at 60 Hz calls back about 60 times a second: one or two frames each.
    FramePace pace;
    bool paused = false;
    PlayerOptions options;    // the player's levels, mute and flashes, kept in config.txt
    std::string configPath;   // where they are saved; empty when config.txt cannot be kept
    bool muteThisRun = false; // ?mute: this visit only
    bool over = false;        // Escape or the frame limit ended the game
    std::string stateLine;
};

WebGame* web = nullptr;

// The browser's storage is written back after every change to the files the game keeps.
void syncStorage() {
    // clang-format off
    EM_ASM({ if (Module.orvaneSync) Module.orvaneSync(); });
    // clang-format on
}

void setPaused(bool paused) {
    if (web->paused == paused) return;
    web->paused = paused;
    if (web->audio) web->audio->setPaused(paused);
    // clang-format off
    EM_ASM({ if (Module.orvanePaused) Module.orvanePaused($0); }, paused);
    // clang-format on
}

EM_BOOL onHidden(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    if (event->hidden) setPaused(true);
    web->devices.releaseAll();
    return EM_FALSE;
}

EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    setPaused(true);
    web->devices.releaseAll();
    return EM_FALSE;
}

void drawPicture() {
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    gameEnv->drawScene();
    if (web->paused) {
        drawOverlay(web->font, "PAUSED",
                    {{"FIRE: Z   CHAIN, HOLD TO SWING: X", {255, 255, 255}},
                     {"MOVE: ARROW KEYS   MUTE: M"},
                     {"GAMEPAD: A FIRE, X CHAIN, START PAUSE", {150, 150, 150}},
                     {web->options.muted || web->muteThisRun ? "SOUND IS OFF (M)" : ""},
                     {""},
                     {"P: PLAY", {255, 255, 255}}});
    }
    glDisable(GL_BLEND);
}

// The frames due now; false when the run is over (Escape, or its last frame). A game that ended
// wrote the best score and the table, which go back to the browser's storage.
bool runDueFrames(double now) {
    for (int n = web->pace.framesDue(now); n > 0; --n) {
        if (!web->run->step()) return false;
        if (web->run->gameEnded()) syncStorage();
    }
    return true;
}

void finish() {
    web->over = true;
    web->run->finish();
    std::string error;
    closeRunFiles(web->files, error);
    // clang-format off
    EM_ASM({ if (Module.orvaneOver) Module.orvaneOver(); });
    // clang-format on
}

// F12: the picture just drawn, as a PNG file the browser downloads.
void downloadScreenshot() {
    std::vector<uint8_t> rgba(kWidth * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<uint8_t> rgb(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                rgb[(y * kWidth + x) * 3 + c] = rgba[((kHeight - 1 - y) * kWidth + x) * 4 + c];
    const std::string png = encodePlainPng(rgb, kWidth, kHeight);
    // clang-format off
    EM_ASM({
        const bytes = HEAPU8.slice($0, $0 + $1);
        const link = document.createElement('a');
        const stamp = new Date().toISOString().replace(/[-:]/g, "").replace("T", "-");
        link.download = "screenshot-" + stamp.replace(".", "-").replace("Z", "") + ".png";
        link.href = URL.createObjectURL(new Blob([bytes], {type: "image/png"}));
        link.click();
        URL.revokeObjectURL(link.href);
    }, png.data(), png.size());
    // clang-format on
}

void applyOptions() {
    if (web->audio)
        web->audio->setLevels(web->options.effects, web->options.ambient,
                              web->options.muted || web->muteThisRun);
}

// M turns the sound off or on for good: the choice is saved in config.txt, as on the desktop.
void toggleMute() {
    web->options.muted = !(web->options.muted || web->muteThisRun);
    web->muteThisRun = false;
    applyOptions();
    if (!web->configPath.empty() && savePlayerOptions(web->configPath, web->options)) syncStorage();
}

void frameCallback() {
    if (web->devices.takePauseRequest()) setPaused(!web->paused);
    if (web->devices.takeMuteRequest()) toggleMute();
    const double now = emscripten_get_now();
    if (web->over) return;
    if (web->paused) {
        web->pace.hold(now);
    } else if (!runDueFrames(now)) {
        finish();
        return;
    }
    drawPicture();
    if (web->devices.takeScreenshotRequest()) downloadScreenshot();
    glfwSwapBuffers(web->window);
}

bool openCanvas() {
    if (glfwInit() != GLFW_TRUE) return false;
    web->window = glfwCreateWindow(kWidth, kHeight, "Orvane", nullptr, nullptr);
    if (web->window == nullptr) return false;
    glfwMakeContextCurrent(web->window);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    loadPictureProjection(kWidth, kHeight);
    return true;
}

// Set-up with the page's devices and sound. A replay's own inputs drive the game; the devices
// still serve the pause and mute keys.
void setUpWebGame(const CommandLine& options) {
    RunFiles& files = web->files;
    web->audio = std::make_unique<OpenAlAudio>(files.paths.dataFolder + "/sfx");
    SoundRecord::clear();
    SetupOptions setup;
    describeSetup(files, setup);
    setup.inputSource =
        files.replay ? static_cast<InputSource*>(files.replay.get()) : &web->devices;
    if (files.replay) web->devices.start();
    setup.uploadTextures = true;
    setup.soundOutput = web->audio.get();
    setupGame(setup);
    startLoggedGame(files);
    gameEnv->gameOverFlashes = web->options.flashes && !options.noFlashes;
    web->muteThisRun = options.mute;
    applyOptions();
    web->font.load(files.paths.dataFolder + "/font.tga");
}

// The run: its frame count and where it stops; games played on the page's devices go to the
// table, saved at once (the page has no threads).
void startRun(const CommandLine& options) {
    const RunFiles& files = web->files;
    web->run = std::make_unique<GameRun>(web->files, lastFrameOf(options, files),
                                         files.hasLog ? GameRun::Table::Skip : GameRun::Table::Keep,
                                         false);
}

} // namespace

int runWebWindowed(const CommandLine& options) {
    // Emscripten starts with a mask of 0777, which would make every file the game writes
    // unreadable once the page is loaded again; a desktop's usual mask keeps them the player's.
    ::umask(022);
    web = new WebGame();
    std::string error;
    if (!openRunFiles(options, web->files, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 2;
    }
    displaySettings = DisplaySettings{};
    if (!web->files.paths.classic) makeUserFolder(web->files.paths.configFolder);
    const std::string& config = web->files.paths.configFile;
    const ConfigResult read = readConfig(config, displaySettings);
    if (read != ConfigResult::Missing &&
        (read == ConfigResult::Created || loadPlayerOptions(config, web->options)))
        web->configPath = config;
    if (!openCanvas()) {
        std::fprintf(stderr, "orvane: no WebGL in this browser\n");
        return 1;
    }
    setUpWebGame(options);
    startRun(options);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onHidden);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onBlur);
    syncStorage(); // a config.txt made now
    web->pace.restart(emscripten_get_now());
    emscripten_set_main_loop(frameCallback, 0, 0);
    return 0;
}

// Hooks for the page and its tests.
extern "C" {

// The state dump's line of the current state.
EMSCRIPTEN_KEEPALIVE const char* orvane_state_line() {
    web->stateLine.clear();
    if (gameEnv != nullptr && web->run)
        appendStateLine(web->stateLine, *gameEnv, web->run->frame(), {});
    return web->stateLine.c_str();
}

// The picture as drawn now, 640 x 480 RGBA with the bottom row first (as WebGL reads it).
EMSCRIPTEN_KEEPALIVE const uint8_t* orvane_picture() {
    static std::vector<uint8_t> pixels(kWidth * kHeight * 4);
    const bool paused = web->paused;
    web->paused = false; // the game's own picture, without the pause screen
    drawPicture();
    web->paused = paused;
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels.data();
}

EMSCRIPTEN_KEEPALIVE int orvane_paused() {
    return web != nullptr && web->paused ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE double orvane_frames() {
    return web != nullptr && web->run ? static_cast<double>(web->run->frame()) : 0.0;
}
}
