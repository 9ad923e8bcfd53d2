// The game frame: quitting, level-ups, the end of a game, the high-score write and the restart.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "base/sound.h"
#include "game/game_env.h"
#include "game/high_score.h"
#include "render/graphics.h"
#include "support/key_source.h"
#include "support/scratch_dir.h"
#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/random.h"

namespace {
struct FrameTest : ::testing::Test {
    void SetUp() override {
        randomSeed(99);
        *gameState = GameState{};
        env.state = gameState;
        env.highScorePath = scorePath.c_str();
        env.startNewGame();
    }
    static bool heard(SoundId id, int volume, int rate) {
        for (int i = 0; i < SoundRecord::count(); ++i)
            if (const PlayedSound& p = SoundRecord::at(i);
                p.id == id && p.volume == volume && p.rate == rate)
                return true;
        return false;
    }
    // Ends the running game in the next frame, then runs game-over frames up to `frames`.
    void endGame(int32_t frames = 1) {
        s.lives = -1;
        SoundRecord::clear();
        ASSERT_TRUE(env.runFrame());
        EXPECT_EQ(std::tuple(s.gameOverFrames, s.lives), std::tuple(1, 0));
        runUntil(frames);
    }
    void runUntil(int32_t frames) {
        while (s.gameOverFrames < frames)
            env.runFrame();
    }
    GameState& s = *gameState;
    ScratchDir dir;
    std::string scorePath = dir.file("highscore.dat");
    KeySource keys;
    Input input{&keys};
    Level level;
    Graphics graphics{false};
    GameEnv env{&input, &graphics, &level};
};
} // namespace

TEST_F(FrameTest, EscapeQuitsAtOnceAndNeverWritesTheHighScore) {
    keys.held = {kKeyEscape};
    s.score = 5000;
    EXPECT_FALSE(env.runFrame());
    EXPECT_EQ(std::tuple(s.frameCount, level.scrollX), std::tuple(0, 0));
    EXPECT_FALSE(std::filesystem::exists(scorePath));
    keys.held.clear();
    endGame(10);
    keys.held = {kKeyEscape};
    EXPECT_FALSE(env.runFrame());
    EXPECT_EQ(s.gameOverFrames, 10);
}

// The level rule itself is GameState's; here the frame runs it and plays its sound.
TEST_F(FrameTest, LevelUpAddsTheNewLevelsQuotaCappedAt99) {
    env.clearElements();
    const int32_t cases[][4] = {{1, -1, 2, 24}, {16, 0, 17, 99}, {99, 0, 99, 99}};
    for (auto [level, kills, nextLevel, nextKills] : cases) {
        std::tie(s.level, s.killsToNextLevel) = std::tuple(level, kills);
        SoundRecord::clear();
        env.runFrame();
        EXPECT_EQ(std::tuple(s.level, s.killsToNextLevel), std::tuple(nextLevel, nextKills));
        EXPECT_TRUE(heard(kSoundLevel, 30, 100));
    }
}

TEST_F(FrameTest, GameEndsBelowZeroLivesAndWritesOnlyAnEqualledBest) {
    const int32_t cases[][3] = {{300, 450, 450}, {300, 300, 300}, {300, 299, -1}, {0, 0, 0}};
    for (auto [best, score, stored] : cases) { // stored -1: no file
        std::filesystem::remove(scorePath);
        env.startNewGame();
        std::tie(s.highScore, s.score, s.lives) = std::tuple(best, score, 0);
        env.runFrame();
        EXPECT_EQ(s.gameOverFrames, 0); // no lives left is still play
        endGame();
        EXPECT_TRUE(heard(kSoundDie, 70, 25));
        EXPECT_EQ(std::filesystem::exists(scorePath) ? readHighScore(scorePath.c_str()) : -1,
                  stored);
    }
}

// A fire key held through the delay arms the restart at 65 and starts the game on release; one
// let go before the delay arms nothing.
TEST_F(FrameTest, HeldFireKeyArmsAtSixtyFiveAndRestartsOnRelease) {
    keys.held = {kJoyButton0};
    endGame(64);
    keys.held.clear();
    runUntil(84);
    EXPECT_EQ(s.restartArmed, 0);
    s.highScore = 1000;
    keys.held = {kKeyZ};
    env.runFrame();
    EXPECT_EQ(s.restartArmed, 1);
    keys.held = {kJoyButton1}; // another fire key keeps it waiting
    env.runFrame();
    EXPECT_EQ(s.gameOverFrames, 86);
    keys.held.clear();
    env.runFrame();
    EXPECT_EQ(std::tuple(s.gameOverFrames, s.frameCount, s.lives, s.highScore, s.restartArmed),
              std::tuple(0, 0, 4, 1000, 0));
    EXPECT_TRUE(env.elements[0]->isNew && env.elements[1] == nullptr);
}
