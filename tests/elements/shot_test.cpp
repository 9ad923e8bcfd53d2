// Shots: flight limits, what each variant hits, walls, absorption and reuse.
#include "elements/shot.h"

#include "element_world.h"
#include "elements/enemy.h"
#include "elements/player_ship.h"
#include "render/graphics.h"

namespace {
Shot* makeShot(GameEnv& env, int32_t px, int32_t py, int32_t vx, int32_t vy, int32_t dir,
               int32_t variant) {
    return new Shot(&env, env.graphics, toFixed(px), toFixed(py), vx, vy, dir, variant);
}
} // namespace

using ShotTest = ElementWorld;

TEST_F(ShotTest, FliesUntilItsCornerLeavesTheDoubleSizeArea) {
    struct Case {
        int32_t px, py;
        bool stays;
    };
    const Case cases[] = {{-13, 100, true}, {-14, 100, false}, {639, 100, true}, {640, 100, false},
                          {100, -13, true}, {100, -14, false}, {100, 479, true}, {100, 480, false}};
    for (const Case& c : cases) {
        Shot* s = place(makeShot(env, c.px, c.py, 0, 0, 8, Shot::kMainGunShot));
        EXPECT_EQ(step(s), c.stays) << c.px << "," << c.py;
    }
}

TEST_F(ShotTest, PlayerShotDamagesOnlyTheFirstEnemyAndEnds) {
    Enemy* first = place(new Enemy(&env, nullptr, 100, 100));
    Enemy* second = place(new Enemy(&env, nullptr, 100, 100));
    first->hitbox = second->hitbox = {95, 95, 20, 20};
    Shot* s = place(makeShot(env, 100, 100, 1024, 0, 8, Shot::kMainGunShot));
    EXPECT_FALSE(step(s));
    EXPECT_EQ(first->msgCode[0], kMsgHit);
    EXPECT_EQ(first->msgValue[0], 3);
    EXPECT_EQ(second->msgCode[0], kMsgNone);
    EXPECT_TRUE(sounds().empty()) << "a shot makes no sound of its own";
}

TEST_F(ShotTest, OrbShotHitBoxSitsInsideItsPictureAndDealsOne) {
    Enemy* enemy = place(new Enemy(&env, nullptr, 0, 0));
    // Orb shots test (6, 6) to (10, 10) from their corner: this enemy touches only that square.
    enemy->hitbox = {109, 109, 2, 2};
    Shot* main = place(makeShot(env, 100, 100, 0, 0, 8, Shot::kMainGunShot));
    EXPECT_TRUE(step(main));
    Shot* orb = place(makeShot(env, 100, 100, 0, 0, 3, Shot::kOrbShot));
    EXPECT_FALSE(step(orb));
    EXPECT_EQ(enemy->msgValue[0], 1);
}

TEST_F(ShotTest, TargetBeatsWallAndWallEndsTheShot) {
    level.tiles[12][5] = 1; // x 96-103, y 96-103
    Shot* alone = place(makeShot(env, 98, 94, 0, 0, 8, Shot::kMainGunShot));
    EXPECT_FALSE(step(alone));

    Enemy* enemy = place(new Enemy(&env, nullptr, 0, 0));
    enemy->hitbox = {98, 98, 4, 4};
    Shot* both = place(makeShot(env, 98, 94, 0, 0, 8, Shot::kMainGunShot));
    EXPECT_FALSE(step(both));
    EXPECT_EQ(enemy->msgCode[0], kMsgHit);
}

TEST_F(ShotTest, EnemyShotHitsOnlyTheShipAndPlayerShotsIgnoreEnemyShots) {
    Enemy* enemy = place(new Enemy(&env, nullptr, 0, 0));
    enemy->hitbox = {100, 100, 10, 10};
    Shot* enemyShot = place(makeShot(env, 101, 98, 0, 0, 0, Shot::kEnemyShot));
    EXPECT_TRUE(step(enemyShot)) << "enemies do not stop enemy shots";
    EXPECT_EQ(enemy->msgCode[0], kMsgNone);

    env.clearElements();
    Shot* playerShot = place(makeShot(env, 101, 98, 0, 0, 8, Shot::kMainGunShot));
    enemyShot = place(makeShot(env, 101, 98, 0, 0, 0, Shot::kEnemyShot));
    step(enemyShot);
    EXPECT_TRUE(step(playerShot)) << "player shots fly through enemy shots";

    PlayerShip* ship = place(new PlayerShip(&env, nullptr, 90, 90));
    ship->hitbox = {100, 100, 10, 10};
    EXPECT_FALSE(step(enemyShot));
    EXPECT_EQ(ship->msgCode[0], kMsgHit);
    EXPECT_EQ(ship->msgValue[0], 1);
}

TEST_F(ShotTest, HitMessageEndsTheShotBeforeItMoves) {
    Shot* s = place(makeShot(env, 100, 100, 768, 0, 0, Shot::kEnemyShot));
    s->postMessage(7, 0);
    EXPECT_TRUE(step(s)) << "other messages are taken and ignored";
    const int32_t x = s->x;
    s->postMessage(kMsgHit, 5);
    EXPECT_FALSE(step(s));
    EXPECT_EQ(s->x, x);
}

TEST_F(ShotTest, PicturesByVariantAndDirection) {
    Graphics graphics(false);
    env.graphics = &graphics;
    Shot* orb = place(makeShot(env, 100, 100, 768, 768, 3, Shot::kOrbShot));
    ASSERT_TRUE(step(orb));
    EXPECT_EQ(orb->sprite, graphics.shotImages[3]);
    EXPECT_EQ(orb->x, toFixed(103));
    EXPECT_EQ(orb->y, toFixed(103));
    Shot* main = place(makeShot(env, 100, 100, 1024, 0, 8, Shot::kMainGunShot));
    ASSERT_TRUE(step(main));
    EXPECT_EQ(main->sprite, graphics.playerShotImage);
    Shot* enemyShot = place(makeShot(env, 100, 100, -384, 0, 0, Shot::kEnemyShot));
    ASSERT_TRUE(step(enemyShot));
    EXPECT_EQ(enemyShot->sprite, graphics.enemyShotImage);
    // Without uploaded pictures drawing does nothing, and must not fail.
    orb->draw();
    main->draw();
    env.graphics = nullptr;
}

TEST_F(ShotTest, FactoryVariantsAndReuseAcrossShotTypes) {
    env.addElement(kCodeEnemyShot, 0, 0, 0, 0, -1);
    Shot* s = all<Shot>(kCodeEnemyShot).at(0);
    EXPECT_EQ(s->damage, 0) << "a new enemy shot starts with no damage value";
    EXPECT_EQ(s->variant, Shot::kEnemyShot);

    env.addElement(kCodePlayerShot, 0, 0, 0, 0, 8);
    Shot* main = all<Shot>(kCodePlayerShot).at(0);
    EXPECT_EQ(main->variant, Shot::kMainGunShot);
    EXPECT_EQ(main->damage, 3);
    EXPECT_EQ(main->dir, 8);
    main->active = 0; // retired

    env.addElement(kCodeEnemyShot, 5, 6, 7, 8, -1);
    EXPECT_EQ(main->type, kCodeEnemyShot & 0xFFFF) << "the retired player shot is reused";
    EXPECT_EQ(main->damage, 3) << "the enemy shot leaves the damage field as it was";
    EXPECT_EQ(main->dir, 0);
    EXPECT_EQ(main->x, 5);
    EXPECT_EQ(main->vy, 8);
    EXPECT_EQ(main->sprite, nullptr);
}
