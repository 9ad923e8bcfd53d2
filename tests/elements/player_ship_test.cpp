// The player's ship and its chain: steering, walls, lives, ramming, firing, locking and aiming.
#include <cmath>
#include <string>

#include "element_world.h"

class PlayerShipTest : public ElementWorld {
  protected:
    void SetUp() override {
        ElementWorld::SetUp();
        ship = place(new PlayerShip(&env, nullptr, 64, 64));
    }
    std::tuple<int32_t, int32_t, int32_t> orbDirs() const {
        return {ship->orbs[0].dir, ship->orbs[1].dir, ship->orbs[2].dir};
    }
    PlayerShip* ship = nullptr;
};

TEST_F(PlayerShipTest, AcceleratesCoastsToRestAndStaysInTheBand) {
    hold({kKeyRight});
    for (int i = 1; i <= 18; ++i) {
        if (i == 11) hold({});
        step(ship);
        EXPECT_EQ(ship->vx, i <= 10 ? std::min(64 * i, 512) : 512 - 64 * (i - 10)) << i;
    }
    hold({kJoyDown, kKeyUp}); // the joystick steers like the keys; opposites cancel
    step(ship);
    EXPECT_EQ(ship->vy, 0);
    hold({kKeyLeft, kKeyUp});
    step(ship, 60);
    EXPECT_EQ(std::tuple(ship->x, ship->y, ship->vx), std::tuple(0, toFixed(56), -512));
    hold({kKeyRight, kKeyDown});
    step(ship, 200);
    EXPECT_EQ(std::tuple(ship->x, ship->y), std::tuple(toFixed(280), toFixed(165)));
}

TEST_F(PlayerShipTest, WallsPushTowardsTheMiddleAndCrashEvenWhileInvulnerable) {
    level.tiles[9][7] = 1; // x 72-79, y 112-119: under the hit box at rows 109 and 110
    const int32_t cases[2][4] = {{109, 115, 512, 32}, {110, 104, -512, 31}}; // row, to, vy, inv.
    for (const auto& [row, to, vy, invulnFrames] : cases) {
        ship->y = toFixed(row);
        ship->vy = 0;
        step(ship);
        EXPECT_EQ(std::tuple(ship->y, ship->vy, ship->invulnFrames),
                  std::tuple(toFixed(to), vy, invulnFrames));
    }
    EXPECT_EQ(std::tuple(state.lives, soundCount(kSoundCrash)), std::tuple(3, 2));
}

TEST_F(PlayerShipTest, AtMostOneLifePerFrameAndNoneWhileInvulnerable) {
    ship->postMessage(kMsgHit, 1);
    ship->postMessage(kMsgHit, 1);
    step(ship);
    ship->postMessage(kMsgHit, 1);
    EXPECT_TRUE(step(ship)) << "the ship never finishes";
    EXPECT_EQ(std::tuple(state.lives, soundCount(kSoundCrash)), std::tuple(3, 1));
}

TEST_F(PlayerShipTest, RammingDealsFiveToEveryEnemyTouchedEvenWhileInvulnerable) {
    Enemy* a = enemyOver({80, 70, 4, 4});
    Enemy* b = enemyOver({90, 72, 4, 4});
    step(ship, 2);
    EXPECT_EQ(std::tuple(a->msgValue[0], a->msgValue[1], b->msgValue[0], b->msgValue[1]),
              std::tuple(5, 5, 5, 5));
    EXPECT_EQ(state.lives, 3) << "two enemies over two frames, one life";
}

TEST_F(PlayerShipTest, GunAndOrbsFireInAnEightFramePeriodTheWayTheOrbsFace) {
    ship->orbs[1].dir = 3;
    ship->orbs[2].dir = 6;
    hold({kKeyZ});
    // Main gun "M" and the orbs "A" to "C" over two periods, a pause, and a press again.
    const int32_t gunRow = toFixed(73), orbRow = toFixed(95);
    std::string rhythm;
    for (int frame = 0; frame <= 16; ++frame) {
        if (frame == 16) {
            hold({}); // a pause, then a press fires at once
            step(ship, 8);
            hold({kJoyButton0 + 1});
        }
        SoundRecord::clear();
        const size_t before = all<Shot>(kCodePlayerShot).size();
        step(ship);
        const auto shots = all<Shot>(kCodePlayerShot);
        rhythm += ' ';
        for (size_t i = before; i < shots.size(); ++i)
            rhythm += shots[i]->y == gunRow
                          ? 'M'
                          : static_cast<char>('A' + (shots[i]->y - orbRow) / 8192);
        EXPECT_EQ(soundCount(kSoundPshot), frame % 8 == 0 ? 1 : 0) << frame;
    }
    EXPECT_EQ(rhythm, " MABC  C  B  A  MABC  C  B  A  MABC");
    // From the first update on, the orbs sit on the straight start chain.
    std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>> first;
    for (const Shot* s : all<Shot>(kCodePlayerShot))
        if (first.size() < 4) first.emplace_back(s->x, s->y, s->vx, s->vy);
    EXPECT_EQ(first, (decltype(first){{toFixed(82), gunRow, 1024, 0},
                                      {toFixed(80), orbRow, 1024, 0},
                                      {toFixed(80), orbRow + 8192, 768, 768},
                                      {toFixed(80), orbRow + 16384, 0, -1024}}));
}

TEST_F(PlayerShipTest, ChainLocksAtOnceWhenLetGoAtRestElseLateAndAimedAlongItself) {
    hold({kKeyX});
    step(ship);
    EXPECT_FALSE(ship->chainLocked);
    SoundRecord::clear();
    hold({});
    step(ship);
    EXPECT_TRUE(ship->chainLocked);
    EXPECT_EQ(ship->lockFlash, 3) << "four, less the countdown of the same update";
    ASSERT_EQ(SoundRecord::count(), 1);
    const PlayedSound& lock = SoundRecord::at(0);
    EXPECT_EQ(std::tuple(lock.id, lock.volume, lock.rate), std::tuple(kSoundLock, 20, 150));
    EXPECT_EQ(orbDirs(), std::tuple(4, 4, 4));

    hold({kKeyX, kKeyUp, kKeyRight}); // swing the chain loose
    step(ship, 25);
    hold({});
    int frames = 0;
    for (; !ship->chainLocked && frames < 2000; ++frames)
        step(ship);
    ASSERT_GT(frames, 20);
    const auto along = [&](int i) {
        return PlayerShip::aim(ship->nodes[7 + 8 * i], ship->nodes[1 + 8 * i]);
    };
    const auto aimed = std::tuple(along(0), along(1), along(2));
    EXPECT_EQ(orbDirs(), aimed);
    EXPECT_NE(aimed, std::tuple(4, 4, 4)) << "the swing turned no orb";
    hold({kKeyDown, kKeyLeft});
    step(ship, 30);
    EXPECT_EQ(orbDirs(), aimed) << "locked, the aim stays";
}

TEST_F(PlayerShipTest, AimQuantisesToEightTiltedSectors) {
    const auto aimAt = [](double degrees) { // clockwise on screen from straight right
        const double r = degrees * 3.14159265358979323846 / 180.0;
        const MoveRec to{static_cast<int32_t>(std::lround(1e6 * std::cos(r))),
                         static_cast<int32_t>(std::lround(1e6 * std::sin(r))), 0, 0};
        return std::to_string(PlayerShip::aim(MoveRec{}, to));
    };
    // Each sector's middle, then either side of where it gives way to the next one clockwise:
    // about 0.9 degrees past the true edge.
    const double edges[8] = {21.9, 66.9, 111.9, 156.9, 202.0, 247.0, 292.0, 336.9};
    std::string got;
    for (int k = 0; k < 8; ++k)
        got += aimAt(45.0 * k) + aimAt(edges[k] - 0.1) + aimAt(edges[k] + 0.1) + ' ';
    EXPECT_EQ(got, "443 332 221 110 007 776 665 554 ");
    EXPECT_EQ(PlayerShip::aim(MoveRec{}, MoveRec{}), 6) << "both nodes at one point";
}

TEST_F(PlayerShipTest, LockedOffsetsRoundDownAndAWideLooseGapDoesNotOverflow) {
    ship->nodeOffsets[5] = {1408, 0, 0, 0};
    ship->nodeOffsets[6] = {-1408, 300, 0, 0};
    step(ship);
    EXPECT_EQ(std::tuple(ship->nodes[5].x - ship->x, ship->nodes[6].x - ship->x,
                         ship->nodes[6].y - ship->y),
              std::tuple(1280, -1536, 256));
    // 200 pixels between anchor and node 1: the squared gap does not fit in 32 bits.
    hold({kKeyX});
    step(ship);
    ship->nodes[1] = {ship->x + 5120 + 51200, ship->y + 2560, 0, 0};
    step(ship);
    // Full pull of 16 * (51200 - 1024) / 64, less an eighth, less the dead zone.
    EXPECT_EQ(std::tuple(ship->nodes[1].vx, ship->nodes[1].vy), std::tuple(-10968, 0));
}

TEST_F(PlayerShipTest, OrbsHurtEnemiesAndSoakUpEnemyShotsEveryFrame) {
    // Orb 0 of the start chain covers pixels (77, 95) to (84, 102).
    Enemy* enemy = enemyOver({80, 96, 2, 2});
    Shot* shot = place(new Shot(&env, nullptr, 0, 0, 0, 0, 0, Shot::kEnemyShot), {82, 100, 4, 4});
    Shot* own = place(new Shot(&env, nullptr, 0, 0, 0, 0, 8, Shot::kMainGunShot), {82, 100, 4, 4});
    step(ship, 2);
    EXPECT_EQ(std::tuple(enemy->msgValue[0], enemy->msgValue[1], shot->msgCode[0], own->msgCode[0]),
              std::tuple(5, 5, kMsgHit, kMsgNone));
    EXPECT_EQ(std::tuple(soundCount(kSoundOrbhit), state.lives), std::tuple(2, 4));
    EXPECT_EQ(ship->orbFlash, 4) << "set after the countdown";
}
