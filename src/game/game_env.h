// The game environment: the world the elements play in, and the game's flow over it.
#pragma once

#include <cstdint>

#include "world/world.h"

// What replaying a game needs of the moment it began, besides its inputs: the random generator as
// the game's start found it, the colour cycle and the best score of that moment.
struct GameStart {
    uint32_t random = 0;
    int32_t colorCycle = 0;
    int32_t highScore = 0;
};

class GameEnv : public World {
  public:
    // game_env.cpp
    GameEnv(Input* input, Graphics* graphics, Level* level);

    // game_frame.cpp: one tick of the game; false when the player quits.
    bool runFrame();
    // game_start.cpp: destroy the old game's elements, reset the record and the level, place
    // the ship.
    void startNewGame();
    // game_start.cpp: starts a game again from the moment a recorded one began.
    void startGameFrom(const GameStart& start);
    // game_start.cpp: the lab's new weapon, from the next frame on. A changed chain shape (its
    // nodes or orbs) starts the chain again straight and locked; a change of lives sets them.
    void changeLab(const LabSettings& settings);
    // scene.cpp: draws one picture of the game.
    void drawScene() const;

    // Where the best score is kept; tests point it into a scratch folder.
    const char* highScorePath = "highscore.dat";
    // The moment the current game began, kept for its replay.
    GameStart lastStart;
    // False: a game over shows its pattern from the first frame, without the white strobe.
    bool gameOverFlashes = true;

  private:
    // game_frame.cpp
    void runPlayFrame();
    void runGameOverFrame();
    // The lab's target dummies that are due stand again.
    void standDummies();
};
