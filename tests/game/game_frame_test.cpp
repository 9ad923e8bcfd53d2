// The game frame: quitting, level-ups, the end of a game, the high-score write and the restart.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/sound.h"
#include "game/game_env.h"
#include "game/game_state.h"
#include "game/high_score.h"
#include "game/key_source.h"
#include "game/scratch_dir.h"
#include "input/input.h"
#include "render/graphics.h"
#include "world/element.h"
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
        SoundRecord::clear();
    }
    bool hasSound(SoundId id, int volume, int rate) const {
        for (int i = 0; i < SoundRecord::count(); ++i) {
            const PlayedSound& s = SoundRecord::at(i);
            if (s.id == id && s.volume == volume && s.rate == rate) return true;
        }
        return false;
    }
    // Ends the running game in the next frame.
    void loseLastLife() {
        gameState->lives = -1;
        ASSERT_TRUE(env.runFrame());
        ASSERT_EQ(gameState->gameOverFrames, 1);
    }

    ScratchDir dir;
    std::string scorePath = dir.file("highscore.dat");
    KeySource keys;
    Input input{&keys};
    Level level;
    Graphics graphics{false};
    GameEnv env{&input, &graphics, &level};
};
} // namespace

TEST_F(FrameTest, StartPutsTheShipInSlotZeroWithFreshCounters) {
    EXPECT_EQ(gameState->lives, 4);
    EXPECT_EQ(gameState->level, 1);
    EXPECT_EQ(gameState->killsToNextLevel, 20);
    ASSERT_NE(env.elements[0], nullptr);
    EXPECT_TRUE(env.elements[0]->isA(kCodePlayerShip));
    EXPECT_EQ(env.elements[1], nullptr);
    EXPECT_EQ(level.spawnTimer, 150);
}

TEST_F(FrameTest, EscapeQuitsWithoutCountingTheFrame) {
    keys.held = {kKeyEscape};
    gameState->score = 5000;
    EXPECT_FALSE(env.runFrame());
    EXPECT_EQ(gameState->frameCount, 0);
    EXPECT_EQ(level.scrollX, 0);
    EXPECT_FALSE(std::filesystem::exists(scorePath));
}

TEST_F(FrameTest, PlayFrameAdvancesEverything) {
    EXPECT_TRUE(env.runFrame());
    EXPECT_EQ(gameState->frameCount, 1);
    EXPECT_EQ(graphics.colorCycle, 1);
    EXPECT_EQ(level.scrollX, 256);
    EXPECT_EQ(env.elements[0]->isNew, 0);
    for (int i = 0; i < 23; ++i)
        env.runFrame();
    EXPECT_EQ(graphics.colorCycle, 0);
}

TEST_F(FrameTest, LevelUpAddsTheQuotaOfTheNewLevel) {
    env.clearElements();
    gameState->killsToNextLevel = -1;
    env.runFrame();
    EXPECT_EQ(gameState->level, 2);
    EXPECT_EQ(gameState->killsToNextLevel, 24);
    EXPECT_TRUE(hasSound(kSoundLevel, 30, 100));

    gameState->level = 16;
    gameState->killsToNextLevel = 0;
    env.runFrame();
    EXPECT_EQ(gameState->level, 17);
    EXPECT_EQ(gameState->killsToNextLevel, 99);

    gameState->level = 99;
    gameState->killsToNextLevel = 0;
    env.runFrame();
    EXPECT_EQ(gameState->level, 99);
    EXPECT_EQ(gameState->killsToNextLevel, 99);
}

TEST_F(FrameTest, GameEndingOnTheBestScoreWritesTheFile) {
    gameState->highScore = 300;
    gameState->score = 450;
    loseLastLife();
    EXPECT_EQ(gameState->lives, 0);
    EXPECT_EQ(gameState->highScore, 450);
    EXPECT_TRUE(hasSound(kSoundDie, 70, 25));
    EXPECT_EQ(readHighScore(scorePath.c_str()), 450);
}

TEST_F(FrameTest, GameEndingBelowTheBestLeavesTheFileAlone) {
    gameState->highScore = 300;
    gameState->score = 299;
    loseLastLife();
    EXPECT_FALSE(std::filesystem::exists(scorePath));
}

TEST_F(FrameTest, FirstGameEndingWithNothingStoresZero) {
    loseLastLife();
    EXPECT_TRUE(std::filesystem::exists(scorePath));
    EXPECT_EQ(readHighScore(scorePath.c_str()), 0);
}

TEST_F(FrameTest, GameOverFreezesTheWorld) {
    loseLastLife();
    const int32_t scroll = level.scrollX;
    const int32_t cycle = graphics.colorCycle;
    SoundRecord::clear();
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(env.runFrame());
    EXPECT_EQ(level.scrollX, scroll);
    EXPECT_EQ(graphics.colorCycle, cycle);
    EXPECT_EQ(gameState->gameOverFrames, 11);
    EXPECT_EQ(SoundRecord::count(), 0);
}

TEST_F(FrameTest, HeldFireKeyArmsAtSixtyFiveAndRestartsOnRelease) {
    gameState->highScore = 1000;
    loseLastLife();
    keys.held = {kKeyZ};
    while (gameState->gameOverFrames < 64)
        env.runFrame();
    EXPECT_EQ(gameState->restartArmed, 0);
    env.runFrame();
    EXPECT_EQ(gameState->gameOverFrames, 65);
    EXPECT_EQ(gameState->restartArmed, 1);
    keys.held = {kJoyButton0 + 1}; // another fire key keeps it waiting
    env.runFrame();
    EXPECT_EQ(gameState->gameOverFrames, 66);
    keys.held.clear();
    env.runFrame();
    EXPECT_EQ(gameState->gameOverFrames, 0);
    EXPECT_EQ(gameState->frameCount, 0);
    EXPECT_EQ(gameState->lives, 4);
    EXPECT_EQ(gameState->highScore, 1000);
    EXPECT_EQ(gameState->restartArmed, 0);
    EXPECT_EQ(env.elements[0]->isNew, 1);
    EXPECT_EQ(env.elements[1], nullptr);
}

TEST_F(FrameTest, KeyReleasedBeforeTheDelayDoesNotArm) {
    loseLastLife();
    keys.held = {kJoyButton0};
    while (gameState->gameOverFrames < 64)
        env.runFrame();
    keys.held.clear();
    for (int i = 0; i < 20; ++i)
        env.runFrame();
    EXPECT_EQ(gameState->restartArmed, 0);
    EXPECT_GT(gameState->gameOverFrames, 64);
}
