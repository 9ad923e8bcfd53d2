// The player's ship and its chain at the edges of their rules: the band's limits, wall rows,
// one life a frame, the aim's sector edges and the chain's rounding and overflow.
#include <cmath>
#include <string>

#include "element_world.h"

class PlayerShipTest : public ElementWorld {
  protected:
    void SetUp() override {
        ElementWorld::SetUp();
        ship = place(new PlayerShip(&env, nullptr, 64, 64));
    }
    PlayerShip* ship = nullptr;
};

TEST_F(PlayerShipTest, StaysInsideTheBandAtFullSpeed) {
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
