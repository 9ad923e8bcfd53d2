// The whole game under faults of its surroundings: missing assets, no audio device, places it may
// not write, a full disk, and a joystick pulled out during play. Each must leave the game running
// with nothing lost.
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
#include <vector>

#include "app/config.h"
#include "app/openal_audio.h"
#include "app/sdl_devices.h"
#include "base/sound.h"
#include "game/game_env.h"
#include "game/high_score.h"
#include "game/setup.h"
#include "render/graphics.h"
#include "render/render_support.h"
#include "support/loopback.h"
#include "support/scratch_dir.h"
#include "support/scripted_player.h"
#include "world/game_state.h"

namespace fs = std::filesystem;

namespace {

void startGame(InputSource* input, bool upload = false, SoundOutput* sound = nullptr) {
    setupGame({.seed = 777, .inputSource = input, .uploadTextures = upload, .soundOutput = sound});
}

// Ends the game in progress with the given score on the next frame, as a lost last life does.
void loseWithScore(int32_t score) {
    gameEnv->state->score = score;
    gameEnv->state->lives = -1;
    gameEnv->runFrame();
}

// Lets the game-over pause run out and starts the next game with the restart key.
void restart() {
    for (int i = 0; i < 200 && gameEnv->state->gameOverFrames > 0; ++i)
        gameEnv->runFrame();
}

// A game lost with the score, the restart, and 600 frames of the next game: true when the score
// became the best, the new game began, the best score was kept and every frame ran.
bool loseRestartAndPlayOn(int32_t score) {
    loseWithScore(score);
    bool ok = gameEnv->state->highScore == score;
    restart();
    ok = ok && gameEnv->state->gameOverFrames == 0 && gameEnv->state->highScore == score;
    for (int i = 0; i < 600; ++i)
        ok = gameEnv->runFrame() && ok;
    cleanupGame();
    return ok;
}

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

// A child process reports a broken expectation through its exit status and a line on stderr.
#define CHILD_CHECK(cond)                                                                          \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "failed: %s (line %d)\n", #cond, __LINE__);                       \
            std::_Exit(1);                                                                         \
        }                                                                                          \
    } while (0)

// Child processes are plain forks that share the test's folders, except where a fresh process is
// needed (the child then runs the test again from its start).
class GameFaults : public ::testing::Test {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "fast"); }
    void TearDown() override { GTEST_FLAG_SET(death_test_style, "fast"); }
};

using MissingData = render_test::GlTest;

TEST_F(MissingData, FolderDrawsNoImageAndPlaysOn) {
    ScratchDir dir;
    ScopedChdir into(dir.path());
    ScriptedPlayer player;
    startGame(&player, true);
    for (const Sprite& s : gameGraphics->sprites)
        EXPECT_TRUE(s.loaded == 0 && s.texture == nullptr && s.pixels == nullptr);
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(gameEnv->runFrame());
        glClear(GL_COLOR_BUFFER_BIT);
        gameEnv->drawScene();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_GT(gameEnv->state->frameCount, 0);
    cleanupGame();
}

// OpenAL Soft's loopback device stands in for a sound card whose output can be read back.
TEST_F(GameFaults, MissingSoundFolderIsSilentAndTheGameRecordsItsSounds) {
    Loopback loopback;
    ASSERT_NE(loopback.device, nullptr);
    ScratchDir dir;
    {
        OpenAlAudio audio((dir.path() / "data" / "sfx").string(), loopback.device,
                          Loopback::kFormat);
        ScriptedPlayer player;
        startGame(&player, false, &audio);
        EXPECT_TRUE(audio.isOpen());
        EXPECT_FALSE(audio.ambientLoaded());
        int loudest = 0;
        int started = 0;
        for (int i = 0; i < 600; ++i) {
            SoundRecord::clear();
            ASSERT_TRUE(gameEnv->runFrame());
            started += SoundRecord::count();
            loudest = std::max(loudest, loopback.peak(588));
        }
        EXPECT_GT(started, 10) << "the ship fired, so sounds were started";
        EXPECT_LE(loudest, 4) << "more than the mixer's dither";
        cleanupGame();
    }
}

// OpenAL Soft picks its back ends once per process, so the child names one that does not exist.
TEST_F(GameFaults, NoAudioDeviceIsSilence) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::setenv("ALSOFT_DRIVERS", "no-such-backend", 1);
            OpenAlAudio audio;
            ScriptedPlayer player;
            startGame(&player, false, &audio);
            CHILD_CHECK(!audio.isOpen());
            for (int i = 0; i < 600; ++i)
                CHILD_CHECK(gameEnv->runFrame());
            cleanupGame();
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

// A working directory where nothing can be created: as root that takes giving up root first.
TEST_F(GameFaults, ReadOnlyWorkingDirectoryWritesNothingAndKeepsTheScoreInMemory) {
    ScratchDir dir;
    const fs::path locked = dir.path() / "locked";
    fs::create_directory(locked);
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_exec);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    EXPECT_EXIT(
        {
            CHILD_CHECK(::chdir(locked.c_str()) == 0);
            if (::geteuid() == 0) {
                CHILD_CHECK(::setresgid(65534, 65534, 65534) == 0);
                CHILD_CHECK(::setresuid(65534, 65534, 65534) == 0);
            }
            DisplaySettings settings;
            CHILD_CHECK(readConfig("config.txt", settings) == ConfigResult::Missing);
            CHILD_CHECK(!settings.fullscreen);
            ScriptedPlayer player;
            startGame(&player);
            CHILD_CHECK(gameEnv->state->highScore == 0);
            CHILD_CHECK(loseRestartAndPlayOn(4321));
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(namesIn(locked).empty());
}

// The child of the full-disk test: every write fails from set-up on.
void playOnAFullDisk() {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit none{0, RLIM_INFINITY};
    CHILD_CHECK(::setrlimit(RLIMIT_FSIZE, &none) == 0);
    ScriptedPlayer player;
    startGame(&player);
    CHILD_CHECK(gameEnv->state->highScore == 100);
    CHILD_CHECK(loseRestartAndPlayOn(900));
    CHILD_CHECK(readHighScore() == 100);
    std::_Exit(0);
}

// A file-size limit of nothing makes every write fail as on a full disk (EFBIG instead of ENOSPC).
TEST_F(GameFaults, FullDiskWhileWritingTheHighScoreKeepsTheOldFile) {
    ScratchDir dir;
    ScopedChdir into(dir.path());
    ASSERT_TRUE(writeHighScore(100));
    EXPECT_EXIT(playOnAFullDisk(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readHighScore(), 100);
    EXPECT_EQ(namesIn("."), std::vector<std::string>{"highscore.dat"});
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
