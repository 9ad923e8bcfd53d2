// One browser frame callback: the game frames that are due (none while paused), then one picture.
#include "browser/web_main_loop.h"

#include <GLES2/gl2.h>
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
#include "app/player_side.h"
#include "app/run_files.h"
#include "app/saved_games.h"
#include "base/sound.h"
#include "browser/web_devices.h"
#include "game/game_env.h"
#include "game/score_table.h"
#include "game/setup.h"
#include "game/state_dump.h"
#include "render/draw.h"
#include "render/draw_backend.h"
#include "render/gles2_texture.h"
#include "render/plain_png.h"
#include "sound/openal_audio.h"
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
    std::unique_ptr<Shell> shell;
    GLFWwindow* window = nullptr;
    // A display at 60 Hz calls back about 60 times a second: one or two frames each.
    FramePace pace;
    bool over = false; // Escape or the frame limit ended the game
    std::string stateLine;
};

WebGame* web = nullptr;

// The browser's storage is written back after every change to the files the game keeps.
void syncStorage() {
    // clang-format off
    EM_ASM({ if (Module.orvaneSync) Module.orvaneSync(); });
    // clang-format on
}

EM_BOOL onHidden(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    if (event->hidden) web->shell->handle({ShellEvent::Kind::Hidden});
    web->devices.releaseAll();
    return EM_FALSE;
}

EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    web->shell->handle({ShellEvent::Kind::FocusLost});
    web->devices.releaseAll();
    return EM_FALSE;
}

void drawPicture(bool overlay = true) {
    drawRunPicture(overlay ? web->shell.get() : nullptr);
}

// The frames due now; false when the run is over (Escape, or its last frame). A game that ended
// wrote the best score and the table, which go back to the browser's storage.
bool runDueFrames(double now) {
    for (int n = web->shell->framesThisPass(web->pace.framesDue(now)); n > 0; --n) {
        if (!web->run->step()) return false;
        if (web->run->gameEnded()) syncStorage();
    }
    return true;
}

void finish() {
    web->over = true;
    web->run->finish();
    web->shell->endRun();
    if (web->shell->endedPaused()) drawPicture();
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

// The lab's comparison as a CSV file the browser downloads.
void downloadLabComparison() {
    const std::string text = web->shell->labExport();
    // clang-format off
    EM_ASM({
        const link = document.createElement('a');
        const stamp = new Date().toISOString().replace(/[-:]/g, "").replace("T", "-");
        link.download = "lab-compare-" + stamp.substring(0, 15) + ".csv";
        link.href = URL.createObjectURL(new Blob([UTF8ToString($0, $1)], {type: "text/csv"}));
        link.click();
        URL.revokeObjectURL(link.href);
    }, text.c_str(), text.size());
    // clang-format on
    web->shell->labMessage("DOWNLOADED THE NUMBERS OF A AND B");
}

// The shell's share of the page's events; false when it asks to end the run.
bool handleShellEvents(bool& screenshot) {
    web->devices.pollGamepad();
    for (const ShellEvent& event : web->devices.takeEvents()) {
        const Shell::Request request = web->shell->handle(event);
        if (request == Shell::Request::Quit) return false;
        if (request == Shell::Request::Screenshot) screenshot = true;
        if (request == Shell::Request::ExportLab) downloadLabComparison();
    }
    return true;
}

void frameCallback() {
    if (web->over) return;
    bool screenshot = false;
    const double now = emscripten_get_now();
    if (!handleShellEvents(screenshot)) {
        finish();
        return;
    }
    if (web->shell->paused()) {
        web->pace.hold(now);
    } else if (!runDueFrames(now)) {
        finish();
        return;
    }
    drawPicture();
    if (screenshot) downloadScreenshot();
    glfwSwapBuffers(web->window);
}

#ifdef ORVANE_WEB_EMULATION
// The immediate mode on the legacy GL emulation, built only to measure against the batched back
// end; its textures are WebGL's, as GLU has no port here.
void chooseDrawing() {
    static DrawBackend emulated = immediateDrawBackend();
    emulated.uploadTexture = uploadGles2Texture;
    emulated.releaseTexture = releaseGles2Texture;
    useDrawBackend(emulated);
    glEnable(GL_TEXTURE_2D);
}
#else
void chooseDrawing() {
    useDrawBackend(batchedDrawBackend());
}
#endif

bool openCanvas() {
    if (glfwInit() != GLFW_TRUE) return false;
    web->window = glfwCreateWindow(kWidth, kHeight, "Orvane", nullptr, nullptr);
    if (web->window == nullptr) return false;
    glfwMakeContextCurrent(web->window);
    chooseDrawing();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    loadPictureProjection(kWidth, kHeight);
    return true;
}

// Set-up with the page's devices and sound. A replay's own inputs drive the game; the devices
// still serve the shell.
void setUpWebGame() {
    RunFiles& files = web->files;
    web->audio = std::make_unique<OpenAlAudio>(files.paths.dataFolder + "/sfx");
    setUpRun(files, &web->devices, web->audio.get(), true);
}

// The shell as on the desktop, its settings saved in the browser's storage. The page shows the
// controls beside the game, so the first visit does not open paused.
void startShell(const CommandLine& options, PlayerSide side) {
    side.firstStart = false;
    web->shell = std::make_unique<Shell>(shellModeOf(options, web->files), side.settings,
                                         side.configPath, web->audio.get(), options.mute);
    web->shell->setSettingsListener([](const PlayerSettings& settings) {
        web->devices.setBindings(settings);
        syncStorage();
    });
    prepareShell(*web->shell, options, web->files, side);
}

// The run: its frame count and where it stops; games played on the page's devices go to the
// table, saved at once (the page has no threads).
void startRun(const CommandLine& options) {
    const RunFiles& files = web->files;
    web->run = std::make_unique<GameRun>(
        web->files, lastFrameOf(options, files),
        keepsGames(files) ? GameRun::Table::Keep : GameRun::Table::Skip, false);
    web->shell->attachLab(*web->run);
}

} // namespace

int runWebWindowed(const CommandLine& commandLine) {
    CommandLine options = commandLine;
    // Emscripten starts with a mask of 0777, which would make every file the game writes
    // unreadable once the page is loaded again; a desktop's usual mask keeps them the player's.
    ::umask(022);
    web = new WebGame();
    ScoreEntry watched;
    if (!openShownRunFiles(options, web->files, watched)) return 2;
    displaySettings = DisplaySettings{};
    if (!web->files.paths.classic) makeUserFolder(web->files.paths.configFolder);
    const PlayerSide side = readPlayerSide(options, web->files);
    if (!openCanvas()) {
        std::fprintf(stderr, "orvane: no WebGL in this browser\n");
        return 1;
    }
    setUpWebGame();
    startShell(options, side);
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

// The table of the player's best games in its file's form ("RANK SCORE LEVEL DATE FRAMES
// REPLAY" rows), read from the browser's storage; empty when there is none or it is damaged.
EMSCRIPTEN_KEEPALIVE const char* orvane_best_games() {
    static std::string text;
    const GamePaths paths = resolveGamePaths(processPathFacts("/data"));
    std::vector<ScoreEntry> entries;
    std::string error;
    text =
        ScoreTable::load(scoreFolderOf(paths), entries, error) ? ScoreTable::format(entries) : "";
    return text.c_str();
}

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
    // The game's own picture, with the lab's panel when there is one; the pause screen only
    // when the run was asked to end on it (the page may have paused itself when hidden).
    drawPicture(web->shell && (!web->shell->paused() || web->shell->endedPaused()));
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels.data();
}

EMSCRIPTEN_KEEPALIVE int orvane_paused() {
    return web != nullptr && web->shell && web->shell->paused() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE double orvane_frames() {
    return web != nullptr && web->run ? static_cast<double>(web->run->frame()) : 0.0;
}

// The weapon's settings now, as a lab file writes them.
EMSCRIPTEN_KEEPALIVE const char* orvane_lab_settings() {
    static std::string text;
    text = gameEnv != nullptr ? formatLabSettings(gameEnv->lab, true) : "";
    return text.c_str();
}
}
