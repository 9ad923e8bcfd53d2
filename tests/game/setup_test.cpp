// Set-up and tear-down of the process-wide objects in their order, with the sound output.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/sound.h"
#include "game/game_env.h"
#include "game/high_score.h"
#include "game/setup.h"
#include "support/key_source.h"
#include "support/scratch_dir.h"
#include "world/element.h"
#include "world/game_state.h"

namespace {
std::vector<std::string> calls;

// Devices that note when they are started and released, and what still existed then.
struct NotingKeys : KeySource {
    void start() override { calls.push_back("input on"); }
    void shutdown() override {
        calls.push_back(gameEnv || gameLevel ? "early" : "input off after world");
    }
};
struct NotingOutput : SoundOutput {
    void start() override {
        calls.push_back(gameEnv && gameEnv->elements[0] ? "sound on in game" : "early");
    }
    void play(SoundId id, int32_t, int32_t) override { calls.push_back(std::to_string(id)); }
    void stop() override { calls.push_back(gameInput ? "early" : "sound off last"); }
};
} // namespace

TEST(Setup, RunsInOrderReadsTheHighScoreAndTearsDownOnce) {
    const std::filesystem::path oldCwd = std::filesystem::current_path();
    ScratchDir dir; // where the score and log files go
    std::filesystem::current_path(dir.path());
    ASSERT_TRUE(writeHighScore(880, "highscore.dat"));
    NotingKeys keys;
    NotingOutput sound;
    *gameState = GameState{};
    setupGame({.seed = 1, .inputSource = &keys, .uploadTextures = false, .soundOutput = &sound});
    EXPECT_EQ(gameState->highScore, 880);
    EXPECT_TRUE(gameEnv->elements[0]->isA(kCodePlayerShip));
    playSound(kSoundBoom, 50, 100);
    cleanupGame();
    playSound(kSoundBoom, 50, 100); // the output is gone: recorded, not sent
    cleanupGame();                  // nothing left to free a second time
    EXPECT_EQ(calls, (std::vector<std::string>{"input on", "sound on in game", "2",
                                               "input off after world", "sound off last"}));
    EXPECT_EQ(gameEnv, nullptr);
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
    std::filesystem::current_path(oldCwd);
}
