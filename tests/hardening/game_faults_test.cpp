// The whole game under faults of its surroundings: a full disk, and a joystick pulled out during
// play. Each must leave the game running with nothing lost. (No audio device is in the program
// runs; a missing data folder and a folder that cannot be written are played by the program in
// scripts/hardening.sh.)
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/sdl_devices.h"
#include "game/game_env.h"
#include "game/high_score.h"
#include "game/setup.h"
#include "support/scratch_dir.h"
#include "support/scripted_player.h"
#include "world/game_state.h"

namespace fs = std::filesystem;

namespace {

void startGame(InputSource* input) {
    setupGame({.seed = 777, .inputSource = input, .uploadTextures = false});
}

// A child process reports a broken expectation through its exit status and a line on stderr.
#define CHILD_CHECK(cond)                                                                          \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "failed: %s (line %d)\n", #cond, __LINE__);                       \
            std::_Exit(1);                                                                         \
        }                                                                                          \
    } while (0)

// The child of the full-disk test: every write fails from set-up on. A game lost with a new best
// keeps it in memory, the restart comes and play goes on.
void playOnAFullDisk() {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit none{0, RLIM_INFINITY};
    CHILD_CHECK(::setrlimit(RLIMIT_FSIZE, &none) == 0);
    ScriptedPlayer player;
    startGame(&player);
    GameState& s = *gameEnv->state;
    CHILD_CHECK(s.highScore == 100);
    s.score = 900;
    s.lives = -1;
    CHILD_CHECK(gameEnv->runFrame() && s.highScore == 900);
    for (int i = 0; i < 200 && s.gameOverFrames > 0; ++i)
        CHILD_CHECK(gameEnv->runFrame());
    CHILD_CHECK(s.gameOverFrames == 0 && s.highScore == 900);
    for (int i = 0; i < 600; ++i)
        CHILD_CHECK(gameEnv->runFrame());
    cleanupGame();
    CHILD_CHECK(readHighScore() == 100);
    std::_Exit(0);
}

// A file-size limit of nothing makes every write fail as on a full disk (EFBIG instead of ENOSPC).
TEST(GameFaults, FullDiskWhileWritingTheHighScoreKeepsTheOldFile) {
    GTEST_FLAG_SET(death_test_style, "fast");
    ScratchDir dir;
    ScopedChdir into(dir.path());
    ASSERT_TRUE(writeHighScore(100));
    EXPECT_EXIT(playOnAFullDisk(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readHighScore(), 100);
    EXPECT_EQ(fs::directory_iterator(".")->path().filename(), "highscore.dat");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

// The live devices with SDL's virtual joystick: polled on their own thread as in the game.
class JoystickFaults : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }

    // A frame as the main loop runs it: events first, then the game, then the wait.
    void frame(SdlDevices& devices) {
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0)
            devices.handleEvent(event);
        ASSERT_TRUE(gameEnv->runFrame());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    static bool joystickAllUp() {
        for (uint8_t v : gameInput->joyState)
            if (v != 0) return false;
        return true;
    }
};

TEST_F(JoystickFaults, UnpluggedDuringPlayReadsUpAndPlayGoesOn) {
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* stick = SDL_JoystickOpen(index);
    ASSERT_NE(stick, nullptr);
    SDL_JoystickSetVirtualAxis(stick, 0, 32767);
    SDL_JoystickSetVirtualButton(stick, 0, 1);
    SDL_JoystickUpdate();

    SdlDevices devices;
    startGame(&devices);
    ASSERT_TRUE(devices.hasJoystick());
    // The polling thread answers within a frame or two; a loaded machine may take many more.
    bool sawFire = false;
    for (int i = 0; i < 5000 && !sawFire; ++i) {
        frame(devices);
        sawFire = gameInput->isDown(kJoyButton0) && gameInput->isDown(kJoyRight);
    }
    EXPECT_TRUE(sawFire);

    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    for (int i = 0; i < 5000 && (devices.hasJoystick() || !joystickAllUp()); ++i)
        frame(devices);
    EXPECT_FALSE(devices.hasJoystick());
    EXPECT_TRUE(joystickAllUp());
    const int32_t frames = gameEnv->state->frameCount;
    for (int i = 0; i < 100; ++i)
        frame(devices);
    EXPECT_EQ(gameEnv->state->frameCount, frames + 100);
    cleanupGame();
}

} // namespace
