// The cave band: scrolling, column generation, wall bounds, stars and the tile hit test.
#include <gtest/gtest.h>

#include "game/game_env.h"
#include "game/game_state.h"
#include "world/level.h"
#include "world/random.h"

namespace {
struct LevelTest : ::testing::Test {
    void SetUp() override {
        *gameState = GameState{};
        gameState->level = 1;
        randomSeed(12345);
        level.init();
        level.spawnTimer = 1000000; // keep enemies out of these tests
    }
    Level level;
    GameEnv env{nullptr, nullptr, &level};
};
} // namespace

TEST_F(LevelTest, InitPlacesStarsInTheirLayersAndEmptiesTheBand) {
    for (int i = 0; i < Level::kStars; ++i) {
        const MoveRec& s = level.stars[i];
        EXPECT_GE(s.x, 0);
        EXPECT_LE(s.x, 320 << 8);
        EXPECT_EQ(s.x % 256, 0);
        EXPECT_GE(s.y, 96 << 8);
        EXPECT_LE(s.y, 143 << 8);
        const int lo = i < 50 ? -192 : -385;
        const int hi = i < 50 ? -64 : -128;
        EXPECT_GE(s.vx, lo);
        EXPECT_LE(s.vx, hi);
        EXPECT_EQ(s.vy, 0);
    }
    for (int c = 0; c < Level::kColumns; ++c)
        for (int r = 0; r < Level::kRows; ++r)
            EXPECT_EQ(level.tile(c, r), 0);
    EXPECT_EQ(level.topWall, -16);
    EXPECT_EQ(level.spawnTimer, 1000000);
    level.init();
    EXPECT_EQ(level.spawnTimer, 150);
}

TEST_F(LevelTest, InitDrawsXThenYThenSpeedPerStar) {
    randomSeed(1); // 41, 18467, 6334
    level.init();
    EXPECT_EQ(level.stars[0].x, (41 % 321) << 8);
    EXPECT_EQ(level.stars[0].y, (18467 % 48 + 96) << 8);
    EXPECT_EQ(level.stars[0].vx, (-128 - 6334 % 257) / 2);
}

TEST_F(LevelTest, ScrollWrapsEveryEightPixelsAndShiftsTheBand) {
    level.tiles[40][5] = 3;
    for (int frame = 1; frame < 8; ++frame) {
        level.update(env);
        EXPECT_EQ(level.scrollX, frame * 256);
    }
    level.update(env);
    EXPECT_EQ(level.scrollX, 0);
    EXPECT_EQ(level.tile(39, 5), 3);

    level.scrollSpeedX = 300;
    for (int frame = 0; frame < 6; ++frame)
        level.update(env);
    EXPECT_EQ(level.scrollX, 1800);
    level.update(env);
    EXPECT_EQ(level.scrollX, 0); // 2100 is past the column width; the excess is dropped
}

namespace {
// Generates one column and returns the new column's tiles.
void newColumn(Level& level, GameEnv& env, int8_t out[Level::kRows]) {
    level.scrollX = 7 * 256;
    level.update(env);
    for (int r = 0; r < Level::kRows; ++r)
        out[r] = level.tile(40, r);
}
} // namespace

TEST_F(LevelTest, TopWallWritesEdgeTilesThenRock) {
    int8_t col[Level::kRows];
    level.topWall = 31;
    newColumn(level, env, col);
    EXPECT_GE(col[3], 1);
    EXPECT_LE(col[3], 8);
    EXPECT_GE(col[2], 1);
    EXPECT_LE(col[2], 8);
    EXPECT_EQ(col[1], 9);
    EXPECT_EQ(col[0], 9);
    for (int r = 4; r < Level::kRows; ++r)
        EXPECT_EQ(col[r], 0);

    level.topWall = 0;
    level.bottomWall = -1;
    newColumn(level, env, col);
    EXPECT_GE(col[0], 1);
    EXPECT_LE(col[0], 8);
    for (int r = 1; r < Level::kRows; ++r)
        EXPECT_EQ(col[r], 0);
}

TEST_F(LevelTest, BottomWallGrowsUpFromTheLowestRow) {
    int8_t col[Level::kRows];
    level.topWall = -5;
    level.bottomWall = 17; // row 15 - 2 = 13
    newColumn(level, env, col);
    for (int r = 0; r < 13; ++r)
        EXPECT_EQ(col[r], 0);
    EXPECT_GE(col[13], 1);
    EXPECT_LE(col[14], 8);
    EXPECT_GE(col[14], 1);
    EXPECT_EQ(col[15], 9);
}

TEST_F(LevelTest, WallsAndTheirSpeedsStayInBoundsAndLeaveTheGap) {
    for (int i = 0; i < 20000; ++i) {
        level.scrollX = 7 * 256;
        level.update(env);
        ASSERT_GE(level.topWall, -31);
        ASSERT_LE(level.topWall, 31);
        ASSERT_GE(level.bottomWall, -31);
        ASSERT_LE(level.bottomWall, 31);
        ASSERT_GE(level.topWallSpeed, -8);
        ASSERT_LE(level.topWallSpeed, 8);
        ASSERT_GE(level.bottomWallSpeed, -8);
        ASSERT_LE(level.bottomWallSpeed, 8);
        for (int r = 4; r <= 11; ++r)
            ASSERT_EQ(level.tile(40, r), 0);
    }
}

TEST_F(LevelTest, StarRestartsOnlyPastMinusSixteen) {
    for (MoveRec& s : level.stars) {
        s.x = 100 << 8;
        s.vx = -64;
    }
    level.stars[60].x = 0;
    level.stars[60].vx = -16;
    level.stars[10].x = 0;
    level.stars[10].vx = -17;
    level.update(env);
    EXPECT_EQ(level.stars[60].x, -16);
    EXPECT_EQ(level.stars[10].x, 320 << 8);
    EXPECT_GE(level.stars[10].vx, -192);
    EXPECT_LE(level.stars[10].vx, -64);
}

TEST_F(LevelTest, TileHitFollowsFineScroll) {
    level.scrollX = 3 << 8;
    level.tiles[1][2] = 1; // covers x 5..12, y 72..79
    EXPECT_TRUE(level.tileHit({5, 72, 4, 4}));
    EXPECT_TRUE(level.tileHit({12, 79, 4, 4}));
    EXPECT_FALSE(level.tileHit({13, 72, 4, 4}));  // touches the right edge only
    EXPECT_FALSE(level.tileHit({1, 72, 4, 4}));   // touches the left edge only
    level.tiles[1][2] = static_cast<uint8_t>(-3); // negative values are empty
    EXPECT_FALSE(level.tileHit({5, 72, 4, 4}));
}

TEST_F(LevelTest, TileHitIgnoresEverythingOutsideTheBand) {
    for (auto& column : level.tiles)
        for (uint8_t& t : column)
            t = 9;
    EXPECT_FALSE(level.tileHit({100, 40, 16, 16}));
    EXPECT_FALSE(level.tileHit({100, 184, 16, 16}));
    EXPECT_FALSE(level.tileHit({400, 100, 8, 8}));
    EXPECT_TRUE(level.tileHit({100, 50, 8, 8}));
    EXPECT_TRUE(level.tileHit({-4, 100, 8, 8}));
}
