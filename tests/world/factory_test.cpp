// The element factory and the enemy spawner: kinds by code, reuse across codes, spawn timing.
#include <gtest/gtest.h>

#include <chrono>

#include "elements/enemy.h"
#include "elements/explosion.h"
#include "elements/player_ship.h"
#include "elements/shot.h"
#include "game/game_env.h"
#include "game/game_state.h"
#include "world/level.h"
#include "world/random.h"

namespace {
struct FactoryTest : ::testing::Test {
    void SetUp() override {
        *gameState = GameState{};
        gameState->level = 1;
        env.state = gameState;
        randomSeed(7);
    }
    template <typename T> T* slot(int i) { return dynamic_cast<T*>(env.elements[i]); }
    Level level;
    GameEnv env{nullptr, nullptr, &level};
};
} // namespace

TEST_F(FactoryTest, PlayerShotParamSelectsMainGunOrOrbShot) {
    env.addElement(kCodePlayerShot, 100, 200, 1024, 0, 8);
    env.addElement(kCodePlayerShot, 0, 0, 0, 0, 3);
    auto* gun = slot<Shot>(0);
    auto* orb = slot<Shot>(1);
    ASSERT_TRUE(gun && orb);
    EXPECT_EQ(gun->variant, Shot::kMainGunShot);
    EXPECT_EQ(gun->damage, 3);
    EXPECT_EQ(gun->dir, 8);
    EXPECT_EQ(gun->x, 100);
    EXPECT_EQ(gun->vx, 1024);
    EXPECT_EQ(gun->layer, 6);
    EXPECT_EQ(orb->variant, Shot::kOrbShot);
    EXPECT_EQ(orb->damage, 1);
    EXPECT_EQ(orb->dir, 3);
    EXPECT_EQ(orb->env, &env);
}

TEST_F(FactoryTest, KindsGetTheirCodesAndLayers) {
    env.addElement(kCodePlayerShip, 64, 64, 0, 0, 0);
    env.addElement(kCodeEnemy, 320, 100, 0, 0, 0);
    env.addElement(kCodeExplosion, 512, 768, 0, 0, 0);
    env.addElement(kCodeEnemyShot, 1, 2, 3, 4, 99);
    ASSERT_TRUE(slot<PlayerShip>(0) && slot<Enemy>(1) && slot<Explosion>(2) && slot<Shot>(3));
    EXPECT_EQ(slot<PlayerShip>(0)->layer, 5);
    EXPECT_EQ(slot<PlayerShip>(0)->startX, 64 << 8);
    EXPECT_EQ(slot<Enemy>(1)->x, 320 << 8);
    EXPECT_EQ(slot<Enemy>(1)->baseY, 100 << 8);
    EXPECT_EQ(slot<Explosion>(2)->x, 512);
    EXPECT_EQ(slot<Explosion>(2)->layer, 7);
    EXPECT_EQ(slot<Shot>(3)->type, 4u);
    EXPECT_EQ(slot<Shot>(3)->variant, Shot::kEnemyShot);
    EXPECT_EQ(slot<Shot>(3)->dir, 0);
}

TEST_F(FactoryTest, RetiredShotIsReusedInPlaceForTheOtherShotCode) {
    env.addElement(kCodeExplosion, 0, 0, 0, 0, 0);
    env.addElement(kCodeEnemyShot, 0, 0, 0, 0, 0);
    Element* enemyShot = env.elements[1];
    enemyShot->isNew = 0;
    enemyShot->dead = 1;
    enemyShot->active = 0;
    enemyShot->postMessage(kMsgHit, 1);
    env.addElement(kCodePlayerShot, 5, 6, 0, 0, 8);
    EXPECT_EQ(env.elements[1], enemyShot);
    EXPECT_EQ(env.elements[2], nullptr);
    EXPECT_EQ(enemyShot->type, 2u);
    EXPECT_EQ(enemyShot->active, 1);
    EXPECT_EQ(enemyShot->isNew, 1);
    EXPECT_EQ(enemyShot->dead, 0);
    EXPECT_EQ(enemyShot->nextMessage(), kMsgNone);
    EXPECT_EQ(static_cast<Shot*>(enemyShot)->damage, 3);

    enemyShot->active = 0;
    env.addElement(kCodeEnemyShot, 0, 0, 0, 0, 0);
    EXPECT_EQ(env.elements[1], enemyShot);
    EXPECT_EQ(enemyShot->type, 4u);
}

TEST_F(FactoryTest, ANewElementTakesTheLowestEmptySlot) {
    env.addElement(kCodeExplosion, 0, 0, 0, 0, 0);
    env.addElement(kCodeExplosion, 0, 0, 0, 0, 0);
    env.addElement(kCodeExplosion, 0, 0, 0, 0, 0);
    delete env.elements[1];
    env.elements[1] = nullptr;
    env.addElement(kCodeEnemy, 320, 100, 0, 0, 0);
    EXPECT_NE(slot<Enemy>(1), nullptr);
}

TEST_F(FactoryTest, UnknownCodeAddsNothingAndPauses) {
    const auto start = std::chrono::steady_clock::now();
    env.addElement(0x10005, 0, 0, 0, 0, 0);
    const auto waited = std::chrono::steady_clock::now() - start;
    for (Element* e : env.elements)
        EXPECT_EQ(e, nullptr);
    EXPECT_GE(waited, std::chrono::milliseconds(100));
}

TEST_F(FactoryTest, EnemyInitDrawsPhaseThenFireTimer) {
    randomSeed(1); // draws 41, 18467
    env.addElement(kCodeEnemy, 320, 100, 0, 0, 0);
    auto* e = slot<Enemy>(0);
    ASSERT_NE(e, nullptr);
    EXPECT_FLOAT_EQ(e->phase, 41 * 0.01f);
    EXPECT_EQ(e->fireTimer, 18467 % 191);
}

namespace {
// Frames from one spawn to the next, with the level number given.
int spawnGap(GameEnv& env, Level& level, int levelNumber) {
    gameState->level = levelNumber;
    level.spawnTimer = 1;
    level.update(env); // this frame spawns and sets the next wait
    int frames = 0;
    const auto countEnemies = [&] {
        int n = 0;
        for (Element* e : env.elements)
            n += (e != nullptr && e->isA(kCodeEnemy)) ? 1 : 0;
        return n;
    };
    const int before = countEnemies();
    while (countEnemies() == before && frames < 1000) {
        level.update(env);
        ++frames;
    }
    return frames;
}
} // namespace

TEST_F(FactoryTest, SpawnerWaitShrinksWithTheLevel) {
    level.init();
    for (int i = 0; i < 40; ++i) {
        const int gap = spawnGap(env, level, 1);
        EXPECT_GE(gap, 11);
        EXPECT_LE(gap, 35);
        const int fastGap = spawnGap(env, level, 25);
        EXPECT_GE(fastGap, 2);
        EXPECT_LE(fastGap, 7);
    }
}

TEST_F(FactoryTest, SpawnedEnemyAppearsAtTheRightEdgeInTheBand) {
    level.init();
    level.spawnTimer = 1;
    for (MoveRec& star : level.stars)
        star.x = 100 << 8; // no star restarts this frame
    randomSeed(1);         // spawn wait 41 % 25, row 18467 % 69 + 76
    level.update(env);
    auto* e = slot<Enemy>(0);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(level.spawnTimer, 41 % 25 + 9 + 2);
    EXPECT_EQ(e->x, 320 << 8);
    EXPECT_EQ(e->y, (18467 % 69 + 76) << 8);
}
