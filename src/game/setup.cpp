// Creating the four process-wide game objects in order at start and deleting them at the end.
#include "game/setup.h"

#include "base/log.h"
#include "base/sound.h"
#include "game/game_env.h"
#include "game/high_score.h"
#include "input/input.h"
#include "render/graphics.h"
#include "render/tga.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/random.h"

Input* gameInput = nullptr;
Level* gameLevel = nullptr;
Graphics* gameGraphics = nullptr;
GameEnv* gameEnv = nullptr;

namespace {
// Kept from set-up so tear-down can release the same device.
SoundOutput* activeSoundOutput = nullptr;
// The score file's name, for as long as the GameEnv points at it.
std::string highScorePath;

void startSound(SoundOutput* output) {
    logLine("Init OpenAL");
    activeSoundOutput = output;
    if (output == nullptr) return;
    output->start();
    setSoundOutput(output);
}
} // namespace

void setupGame(const SetupOptions& options) {
    randomSeed(options.seed);
    logDisable();
    logLine("Initializing main classes");
    gameInput = new Input(options.inputSource);
    gameLevel = new Level();
    logLine("init Level");
    gameLevel->init();
    gameGraphics = new Graphics(options.uploadTextures, options.dataFolder);
    gameEnv = new GameEnv(gameInput, gameGraphics, gameLevel);
    highScorePath = options.highScorePath;
    gameEnv->highScorePath = highScorePath.c_str();
    gameState = &staticGameState;
    gameState->colorCycle = 0;
    gameEnv->state = gameState;
    if (options.lab != nullptr) gameEnv->lab = *options.lab;
    gameState->highScore = readHighScore(gameEnv->highScorePath);
    gameEnv->startNewGame();
    startSound(options.soundOutput);
    logLine("Assets loaded, memory usage: %lld kB system, %lld kB texture",
            static_cast<long long>(systemBytes / 1024),
            static_cast<long long>(textureBytes / 1024));
    logLine("Init done, starting game");
}

// Each pointer is cleared once its object is gone, so a second tear-down finds nothing to free.
void cleanupGame() {
    if (gameEnv != nullptr) {
        logLine("delete GameEnv");
        gameEnv->clearElements();
        delete gameEnv;
        gameEnv = nullptr;
    }
    delete gameGraphics; // writes its own "delete Graphics"
    gameGraphics = nullptr;
    if (gameLevel != nullptr) {
        logLine("delete Level");
        delete gameLevel;
        gameLevel = nullptr;
    }
    if (gameInput != nullptr) {
        gameInput->shutdown();
        delete gameInput;
        gameInput = nullptr;
    }
    if (activeSoundOutput != nullptr) {
        activeSoundOutput->stop();
        setSoundOutput(nullptr);
        activeSoundOutput = nullptr;
    }
    logLine("Cleanup done, goodbye");
}
