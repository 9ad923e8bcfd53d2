// Set-up and tear-down of the process-wide objects, with the sound output started and released.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/sound.h"
#include "game/game_env.h"
#include "game/game_state.h"
#include "game/key_source.h"
#include "game/scratch_dir.h"
#include "game/setup.h"
#include "input/input.h"
#include "world/element.h"
#include "world/level.h"

namespace {
// Records what the game asks of the audio output.
class RecordingOutput : public SoundOutput {
  public:
    void start() override { calls.push_back("start"); }
    void play(SoundId id, int32_t, int32_t) override {
        calls.push_back("play " + std::to_string(id));
    }
    void stop() override { calls.push_back("stop"); }
    std::vector<std::string> calls;
};

// Runs each test inside a scratch folder, where the score and log files would go.
struct SetupTest : ::testing::Test {
    void SetUp() override {
        *gameState = GameState{};
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override { std::filesystem::current_path(oldCwd); }
    std::filesystem::path oldCwd = std::filesystem::current_path();
    ScratchDir dir;
};
} // namespace

TEST_F(SetupTest, SetupStartsTheFirstGameAndCleanupReleasesEverything) {
    KeySource keys;
    RecordingOutput sound;
    SetupOptions options;
    options.seed = 4242;
    options.inputSource = &keys;
    options.uploadTextures = false;
    options.soundOutput = &sound;
    setupGame(options);
    ASSERT_NE(gameEnv, nullptr);
    EXPECT_EQ(keys.starts, 1);
    EXPECT_EQ(gameEnv->input, gameInput);
    EXPECT_EQ(gameEnv->level, gameLevel);
    EXPECT_EQ(gameEnv->graphics, gameGraphics);
    EXPECT_EQ(gameEnv->state, gameState);
    EXPECT_EQ(gameState->highScore, 0);
    EXPECT_EQ(gameState->lives, 4);
    ASSERT_NE(gameEnv->elements[0], nullptr);
    EXPECT_TRUE(gameEnv->elements[0]->isA(kCodePlayerShip));
    EXPECT_EQ(sound.calls, std::vector<std::string>{"start"});

    playSound(kSoundBoom, 50, 100);
    EXPECT_EQ(sound.calls.back(), "play 2");
    cleanupGame();
    EXPECT_EQ(keys.shutdowns, 1);
    EXPECT_EQ(sound.calls.back(), "stop");
    EXPECT_EQ(gameEnv, nullptr);
    EXPECT_EQ(gameInput, nullptr);
    const size_t heard = sound.calls.size();
    playSound(kSoundBoom, 50, 100); // the output is gone: recorded, not sent
    EXPECT_EQ(sound.calls.size(), heard);
    cleanupGame(); // nothing left to free a second time
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
}

TEST_F(SetupTest, SameSeedGivesTheSameLevel) {
    SetupOptions options;
    options.seed = 77;
    options.uploadTextures = false;
    setupGame(options);
    const Level first = *gameLevel;
    cleanupGame();
    setupGame(options);
    EXPECT_EQ(std::memcmp(&first.stars, &gameLevel->stars, sizeof first.stars), 0);
    cleanupGame();
}

TEST_F(SetupTest, StoredHighScoreIsReadAndKeptAcrossARestart) {
    {
        SetupOptions options;
        options.uploadTextures = false;
        setupGame(options);
        gameState->score = 880;
        gameState->lives = -1;
        gameEnv->runFrame();
        cleanupGame();
    }
    *gameState = GameState{};
    SetupOptions options;
    options.uploadTextures = false;
    setupGame(options);
    EXPECT_EQ(gameState->highScore, 880);
    gameEnv->startNewGame();
    EXPECT_EQ(gameState->highScore, 880);
    cleanupGame();
}
