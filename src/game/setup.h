// Creating the process-wide game objects in their order at start, and deleting them at the end.
#pragma once

#include <cstdint>
#include <string>

class GameEnv;
class Graphics;
class Input;
class InputSource;
class Level;
struct LabSettings;
class SoundOutput;

// What the running program hands the game at set-up.
struct SetupOptions {
    uint32_t seed = 0;                  // the random generator's seed (the clock, or --seed)
    InputSource* inputSource = nullptr; // devices, an input log, or null (all up); not owned
    bool uploadTextures = true;         // false for the headless program
    const LabSettings* lab = nullptr;   // the weapon; null: the game's own; not owned
    SoundOutput* soundOutput = nullptr; // started at the end of set-up; null is silence; not owned
    std::string dataFolder = "data";    // where the pictures are read from
    std::string highScorePath = "highscore.dat"; // empty: the best score is kept in memory only
};

void setupGame(const SetupOptions& options);
void cleanupGame();

// The four process-wide objects, live between setupGame and cleanupGame.
extern Input* gameInput;
extern Level* gameLevel;
extern Graphics* gameGraphics;
extern GameEnv* gameEnv;
