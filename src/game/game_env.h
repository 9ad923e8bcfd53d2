// The game environment: the world the elements play in, and the game's flow over it.
#pragma once

#include "world/world.h"

class GameEnv : public World {
  public:
    // game_env.cpp
    GameEnv(Input* input, Graphics* graphics, Level* level);

    // game_frame.cpp: one tick of the game; false when the player quits.
    bool runFrame();
    // game_start.cpp: destroy the old game's elements, reset the record and the level, place
    // the ship.
    void startNewGame();
    // scene.cpp: draws one picture of the game.
    void drawScene();

    // Where the best score is kept; tests point it into a scratch folder.
    const char* highScorePath = "highscore.dat";

  private:
    // game_frame.cpp
    void runPlayFrame();
    void runGameOverFrame();
};
