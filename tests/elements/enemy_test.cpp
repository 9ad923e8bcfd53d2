// Enemies: set-up draws, hits and kills with their score, firing, the wave and the left edge.
#include "elements/enemy.h"

#include <cmath>

#include "element_world.h"
#include "elements/explosion.h"
#include "elements/player_ship.h"
#include "elements/shot.h"

using EnemyTest = ElementWorld;

TEST_F(EnemyTest, InitDrawsPhaseThenFireTimer) {
    randomSeed(99);
    const int32_t phaseDraw = randomNext() % 629;
    const int32_t timerDraw = randomNext() % 191;
    randomSeed(99);
    Enemy e(&env, nullptr, 320, 100);
    EXPECT_EQ(e.phase, static_cast<float>(phaseDraw) * 0.01f);
    EXPECT_EQ(e.fireTimer, timerDraw);
    EXPECT_EQ(e.x, toFixed(320));
    EXPECT_EQ(e.baseY, toFixed(100));
    EXPECT_EQ(e.vx, -256);
    EXPECT_EQ(e.hitPoints, 5);
    EXPECT_EQ(e.layer, 2);

    // Near the top the wave starts in the first half turn only; late levels fire sooner.
    state.level = 18;
    randomSeed(99);
    const int32_t lowPhase = randomNext() % 315;
    const int32_t lowTimer = randomNext() % 31;
    randomSeed(99);
    e.init(&env, nullptr, 10, 0);
    EXPECT_EQ(e.phase, static_cast<float>(lowPhase) * 0.01f);
    EXPECT_EQ(e.fireTimer, lowTimer);
}

TEST_F(EnemyTest, OneContactKillAtLevelOneScores97AndLeavesFourExplosions) {
    Enemy* e = place(new Enemy(&env, nullptr, 200, 100));
    e->postMessage(kMsgHit, 5);
    EXPECT_FALSE(step(e));
    EXPECT_EQ(state.score, 97);
    EXPECT_EQ(state.killsToNextLevel, 19);
    EXPECT_EQ(all<Explosion>(kCodeExplosion).size(), 4u);
    EXPECT_EQ(soundCount(kSoundEhit), 1);
    EXPECT_EQ(soundCount(kSoundBoom), 1);
}

TEST_F(EnemyTest, ExplosionsDrawRowThenColumnThenDelay) {
    Enemy* e = place(new Enemy(&env, nullptr, 200, 100));
    randomSeed(4242);
    int32_t ex[4], ey[4], delay[4];
    for (int i = 0; i < 4; ++i) {
        ey[i] = e->y + ((randomNext() % 9) - 6) * 256;
        ex[i] = e->x + ((randomNext() % 9) - 4) * 256;
        delay[i] = -(randomNext() % 6);
    }
    randomSeed(4242);
    e->postMessage(kMsgHit, 9);
    step(e);
    const auto puffs = all<Explosion>(kCodeExplosion);
    ASSERT_EQ(puffs.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(puffs[i]->x, ex[i]);
        EXPECT_EQ(puffs[i]->y, ey[i]);
        EXPECT_EQ(puffs[i]->counter, delay[i]);
    }
}

TEST_F(EnemyTest, TwoHitsInOneFrameAddUpAndTheEnemyFlashes) {
    state.level = 3;
    Enemy* e = place(new Enemy(&env, nullptr, 200, 100));
    e->postMessage(kMsgHit, 3);
    e->postMessage(kMsgHit, 1);
    EXPECT_TRUE(step(e));
    EXPECT_EQ(e->hitPoints, 1);
    EXPECT_EQ(state.score, 6);
    EXPECT_EQ(soundCount(kSoundEhit), 2);
    EXPECT_EQ(e->flashTimer, 6) << "set to 7 and counted down in the same update";
}

TEST_F(EnemyTest, TheKillingHitLeavesLaterMessagesUnread) {
    Enemy* e = place(new Enemy(&env, nullptr, 200, 100));
    for (int i = 0; i < 3; ++i)
        e->postMessage(kMsgHit, 3);
    EXPECT_FALSE(step(e));
    EXPECT_EQ(state.score, 2 + 96);
    EXPECT_EQ(e->msgCode[2], kMsgHit);
    EXPECT_EQ(e->msgRead, 2);
    EXPECT_EQ(soundCount(kSoundBoom), 1);
}

TEST_F(EnemyTest, FiresAtAShipToItsLeftAndResetsTheTimer) {
    PlayerShip* ship = place(new PlayerShip(&env, nullptr, 64, 100));
    Enemy* e = place(new Enemy(&env, nullptr, 200, 100));
    e->fireTimer = 1;
    const int32_t x = e->x, y = e->y;
    EXPECT_TRUE(step(e));
    EXPECT_EQ(e->fireTimer, 190);
    const auto shots = all<Shot>(kCodeEnemyShot);
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0]->x, x - 768);
    EXPECT_EQ(shots[0]->y, y + 768);
    // Aim point 20 right and 2 below the ship's corner, seen from the enemy's corner.
    const double dx = ship->x - x + 5120, dy = ship->y - y + 512;
    const double len = std::sqrt(dx * dx + dy * dy);
    EXPECT_EQ(shots[0]->vx, static_cast<int32_t>(std::nearbyint(384.0 * (float)(dx / len))));
    EXPECT_EQ(shots[0]->vy, static_cast<int32_t>(std::nearbyint(384.0 * (dy / len))));
    EXPECT_LT(shots[0]->vx, -370);
    EXPECT_EQ(soundCount(kSoundEshot), 1);
}

TEST_F(EnemyTest, SteepestShotIsLimitedTo154UnitsPerFrame) {
    place(new PlayerShip(&env, nullptr, 150, 300));
    Enemy* e = place(new Enemy(&env, nullptr, 200, 60));
    e->fireTimer = 0;
    step(e);
    ASSERT_EQ(all<Shot>(kCodeEnemyShot).size(), 1u);
    EXPECT_EQ(all<Shot>(kCodeEnemyShot)[0]->vy, 154);
}

TEST_F(EnemyTest, NoShotAtAShipToTheRightOrWhenThereIsNoShip) {
    Enemy* e = place(new Enemy(&env, nullptr, 100, 100));
    state.level = 10;
    e->fireTimer = 1;
    EXPECT_TRUE(step(e)) << "no ship in play";
    EXPECT_EQ(e->fireTimer, 100);
    place(new PlayerShip(&env, nullptr, 200, 100));
    e->fireTimer = 1;
    EXPECT_TRUE(step(e));
    EXPECT_EQ(e->fireTimer, 100);
    EXPECT_TRUE(all<Shot>(kCodeEnemyShot).empty());
    EXPECT_EQ(soundCount(kSoundEshot), 0);
}

TEST_F(EnemyTest, WeavesOnWholePixelsAroundItsCentreLine) {
    Enemy* e = place(new Enemy(&env, nullptr, 300, 100));
    e->fireTimer = 1000;
    for (int i = 0; i < 300; ++i) {
        const float phase = e->phase + 0.03f;
        ASSERT_TRUE(step(e));
        EXPECT_EQ(e->phase, phase);
        const double offset = std::nearbyint(-32.0 * std::sin(static_cast<long double>(phase)));
        EXPECT_EQ(e->y, e->baseY - 256 * static_cast<int32_t>(offset));
        EXPECT_EQ(e->y % 256, 0);
        EXPECT_LE(std::abs(e->y - e->baseY), 32 * 256);
    }
    EXPECT_EQ(e->x, toFixed(0));
    EXPECT_EQ(e->hitbox.x, 1);
    EXPECT_EQ(e->hitbox.y, toPixel(e->y) + 2);
    EXPECT_EQ(e->hitbox.w, 8);
    EXPECT_EQ(e->hitbox.h, 10);
}

TEST_F(EnemyTest, LeavesPlayPastPixelMinus21WithoutScoring) {
    Enemy* e = place(new Enemy(&env, nullptr, 0, 100));
    e->fireTimer = 1000;
    e->x = -5120;
    EXPECT_TRUE(step(e)) << "pixel -21 is still in play";
    EXPECT_EQ(e->x, -5376);
    EXPECT_FALSE(step(e));
    EXPECT_EQ(state.score, 0);
    EXPECT_TRUE(sounds().empty());
}
