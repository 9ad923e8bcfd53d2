// The cave band at its edges: the scroll's wrap at any speed and tile hits at the tiles' edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "world/element.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/random.h"
#include "world/world.h"

namespace {
struct LevelTest : ::testing::Test {
    void SetUp() override {
        *gameState = GameState{};
        gameState->level = 1;
        env.state = gameState; // as set-up does: enemies read the level through their environment
        randomSeed(1);
        level.init();
        level.spawnTimer = 1000000; // no enemies unless a test asks for them
    }
    Level level;
    World env{nullptr, nullptr, &level, nullptr};
};
} // namespace

TEST_F(LevelTest, ScrollWrapsEveryEightPixelsShiftingTheBandAndDroppingTheExcess) {
    level.tiles[40][5] = 3;
    for (int frame = 1; frame < 8; ++frame)
        level.update(env);
    EXPECT_EQ(level.scrollX, 7 * 256);
    level.update(env);
    EXPECT_EQ(std::tuple(level.scrollX, level.tile(39, 5)), std::tuple(0, 3));
    level.scrollSpeedX = 300;
    for (int frame = 0; frame < 7; ++frame)
        level.update(env); // 2100 is past the column width: back to 0, not 52
    EXPECT_EQ(level.scrollX, 0);
}

TEST_F(LevelTest, TileHitFollowsFineScrollAndIgnoresOutsideTheBand) {
    // Tile (1, 2) covers x 5..12, y 72..79 at this scroll; the misses touch its edges only.
    const std::pair<Rect, bool> fineScroll[] = {{{5, 72, 4, 4}, true},   {{12, 79, 4, 4}, true},
                                                {{13, 72, 4, 4}, false}, {{1, 72, 4, 4}, false},
                                                {{5, 68, 4, 4}, false},  {{9, 80, 4, 4}, false}};
    level.scrollX = 3 << 8;
    level.tiles[1][2] = 1;
    for (auto [rect, hit] : fineScroll)
        EXPECT_EQ(level.tileHit(rect), hit) << rect.x << "," << rect.y;
    level.tiles[1][2] = static_cast<uint8_t>(-3); // negative tiles are empty
    EXPECT_FALSE(level.tileHit({5, 72, 4, 4}));
    for (auto& column : level.tiles)
        std::fill(std::begin(column), std::end(column), 9);
    const std::pair<Rect, bool> band[] = {{{100, 40, 16, 16}, false},
                                          {{100, 184, 16, 16}, false},
                                          {{400, 100, 8, 8}, false},
                                          {{100, 50, 8, 8}, true},
                                          {{-4, 100, 8, 8}, true}};
    for (auto [rect, hit] : band)
        EXPECT_EQ(level.tileHit(rect), hit) << rect.x << "," << rect.y;
}
