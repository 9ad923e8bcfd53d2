// The chain and orbs: holding, settling and locking, the aim, orb contact and the flash colours.
#include <cmath>

#include "element_world.h"
#include "elements/enemy.h"
#include "elements/player_ship.h"
#include "elements/shot.h"

class LinkChainTest : public ElementWorld {
  protected:
    void SetUp() override {
        ElementWorld::SetUp();
        ship = place(new PlayerShip(&env, nullptr, 64, 64));
    }
    // Steps until the chain locks; the number of steps, or -1 when it never does.
    int settle(int limit) {
        for (int i = 1; i <= limit; ++i) {
            step(ship);
            if (ship->chainLocked) return i;
        }
        return -1;
    }
    PlayerShip* ship = nullptr;
};

namespace {
// A reference node at the angle, clockwise on screen from straight right, far from the origin.
MoveRec towards(double degrees) {
    const double r = degrees * 3.14159265358979323846 / 180.0;
    return {static_cast<int32_t>(std::lround(1e6 * std::cos(r))),
            static_cast<int32_t>(std::lround(1e6 * std::sin(r))), 0, 0};
}
} // namespace

TEST_F(LinkChainTest, ReleasingAChainAtRestLocksItInTheNextFrame) {
    step(ship);
    hold({kKeyX});
    step(ship);
    EXPECT_FALSE(ship->chainLocked);
    EXPECT_EQ(ship->releaseTimer, 0);
    // The start shape is at rest: every link has its rest length, so nothing moves.
    for (int i = 1; i < 24; ++i) {
        EXPECT_EQ(ship->nodes[i].x, ship->x + 5120);
        EXPECT_EQ(ship->nodes[i].y, ship->y + 2560 + 1024 * i);
    }
    SoundRecord::clear();
    hold({});
    step(ship);
    EXPECT_TRUE(ship->chainLocked);
    EXPECT_EQ(ship->lockFlash, 3) << "four, less the countdown of the same update";
    ASSERT_EQ(sounds().size(), 1u);
    EXPECT_EQ(sounds()[0].id, kSoundLock);
    EXPECT_EQ(sounds()[0].volume, 20);
    EXPECT_EQ(sounds()[0].rate, 150);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ship->orbs[i].dir, 4);
    EXPECT_EQ(ship->chainTint().r, 1.0f);
    EXPECT_EQ(ship->chainTint().g, 1.0f);
}

TEST_F(LinkChainTest, AChainThatSettlesSlowlyLocksAimedAlongItself) {
    // Swing the chain by flying up and right with it loose, then let go.
    hold({kKeyX, kKeyUp, kKeyRight});
    for (int i = 0; i < 25; ++i)
        step(ship);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ship->orbs[i].dir, 4) << "held loose, orbs face forwards";
    hold({});
    const int frames = settle(2000);
    ASSERT_GT(frames, 20);
    EXPECT_EQ(ship->releaseTimer, frames);
    bool turned = false;
    for (int i = 0; i < 3; ++i) {
        const int32_t dir = PlayerShip::aim(ship->nodes[7 + 8 * i], ship->nodes[1 + 8 * i]);
        EXPECT_EQ(ship->orbs[i].dir, dir) << "orb " << i;
        turned |= dir != 4;
    }
    EXPECT_TRUE(turned);
    // Locked, the directions stay whatever the ship does.
    const int32_t dirs[3] = {ship->orbs[0].dir, ship->orbs[1].dir, ship->orbs[2].dir};
    hold({kKeyDown, kKeyLeft});
    for (int i = 0; i < 30; ++i)
        step(ship);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ship->orbs[i].dir, dirs[i]);
}

TEST_F(LinkChainTest, LockedNodesSitOnWholePixelOffsets) {
    ship->nodeOffsets[5].x = 1408;
    ship->nodeOffsets[6].x = -1408;
    ship->nodeOffsets[6].y = 300;
    step(ship);
    EXPECT_EQ(ship->nodes[5].x, ship->x + 1280);
    EXPECT_EQ(ship->nodes[6].x, ship->x - 1536);
    EXPECT_EQ(ship->nodes[6].y, ship->y + 256);
    // Taking hold of the chain places the nodes at their exact offsets.
    hold({kKeyX});
    step(ship);
    EXPECT_EQ(ship->nodeOffsets[5].x - (ship->nodes[5].x - ship->x), 0);
}

TEST_F(LinkChainTest, AWideGapPullsTheNodeBackWithoutOverflow) {
    // 200 pixels between anchor and node 1: the squared gap does not fit in 32 bits.
    hold({kKeyX});
    step(ship);
    ship->nodes[1] = {ship->x + 5120 + 51200, ship->y + 2560, 0, 0};
    step(ship);
    // Full pull of 16 * (51200 - 1024) / 64, less an eighth, less the dead zone.
    EXPECT_EQ(ship->nodes[1].vx, -10968);
    EXPECT_EQ(ship->nodes[1].vy, 0);
}

TEST_F(LinkChainTest, AimQuantisesToEightTiltedSectors) {
    const MoveRec origin{};
    const int32_t principal[8] = {4, 3, 2, 1, 0, 7, 6, 5};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(PlayerShip::aim(origin, towards(45.0 * k)), principal[k]) << 45 * k;
    }
    EXPECT_EQ(PlayerShip::aim(origin, origin), 6) << "both nodes at one point";
    // Sweeping clockwise, each change comes about 0.9 degrees past the sector's true edge.
    const double edges[8] = {21.9, 66.9, 111.9, 156.9, 202.0, 247.0, 292.0, 336.9};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(PlayerShip::aim(origin, towards(edges[k] - 0.1)), principal[k]) << edges[k];
        EXPECT_EQ(PlayerShip::aim(origin, towards(edges[k] + 0.1)), principal[(k + 1) % 8])
            << edges[k];
    }
}

TEST_F(LinkChainTest, OrbsHurtEnemiesAndSoakUpEnemyShots) {
    // Orb 0 of the start chain covers pixels (77, 95) to (84, 102).
    Enemy* enemy = place(new Enemy(&env, nullptr, 0, 0));
    enemy->hitbox = {80, 96, 2, 2};
    Shot* shot = place(new Shot(&env, nullptr, 0, 0, 0, 0, 0, Shot::kEnemyShot));
    shot->hitbox = {82, 100, 4, 4};
    Shot* own = place(new Shot(&env, nullptr, 0, 0, 0, 0, 8, Shot::kMainGunShot));
    own->hitbox = {82, 100, 4, 4};
    step(ship);
    EXPECT_EQ(enemy->msgCode[0], kMsgHit);
    EXPECT_EQ(enemy->msgValue[0], 5);
    EXPECT_EQ(shot->msgCode[0], kMsgHit);
    EXPECT_EQ(own->msgCode[0], kMsgNone);
    EXPECT_EQ(soundCount(kSoundOrbhit), 1);
    EXPECT_EQ(state.lives, 4);
    EXPECT_EQ(ship->orbFlash, 4) << "set after the countdown";
    EXPECT_EQ(ship->chainTint().r, 1.0f);
    EXPECT_EQ(ship->chainTint().g, 0.0f);
    // Contact repeats every frame, the chain locked or not.
    step(ship);
    EXPECT_EQ(enemy->msgCode[1], kMsgHit);
    // A white lock flash outshines the red.
    ship->lockFlash = 2;
    EXPECT_EQ(ship->chainTint().g, 1.0f);
    ship->lockFlash = 0;
    ship->orbFlash = 0;
    EXPECT_EQ(ship->chainTint().r, 0.0f);
}

TEST_F(LinkChainTest, OrbsFireTheWayTheyFace) {
    ship->orbs[1].dir = 3;
    ship->orbs[2].dir = 6;
    hold({kKeyZ});
    step(ship);
    const auto shots = all<Shot>(kCodePlayerShot);
    ASSERT_EQ(shots.size(), 4u);
    EXPECT_EQ(shots[2]->dir, 3);
    EXPECT_EQ(shots[2]->vx, 768);
    EXPECT_EQ(shots[2]->vy, 768);
    EXPECT_EQ(shots[3]->dir, 6);
    EXPECT_EQ(shots[3]->vx, 0);
    EXPECT_EQ(shots[3]->vy, -1024);
    EXPECT_EQ(shots[3]->damage, 1);
}
