// The player's ship: steering, the band limits, walls, lives, ramming and the main gun's rhythm.
#include "elements/player_ship.h"

#include "element_world.h"
#include "elements/enemy.h"
#include "elements/shot.h"

class PlayerShipTest : public ElementWorld {
  protected:
    void SetUp() override {
        ElementWorld::SetUp();
        ship = place(new PlayerShip(&env, nullptr, 64, 64));
    }
    PlayerShip* ship = nullptr;
};

TEST_F(PlayerShipTest, StartsAtItsStartPointWithAStraightLockedChain) {
    EXPECT_EQ(ship->x, toFixed(64));
    EXPECT_EQ(ship->y, toFixed(64));
    EXPECT_EQ(ship->layer, 5);
    EXPECT_TRUE(ship->chainLocked);
    EXPECT_EQ(ship->nodeCount, 24);
    EXPECT_EQ(ship->orbCount, 3);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(ship->nodeOffsets[i].x, 5120);
        EXPECT_EQ(ship->nodeOffsets[i].y, 2560 + 1024 * i);
    }
    // The orbs already sit on their nodes, so a shot fired in the first update leaves from there.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ship->orbs[i].dir, 4);
        EXPECT_EQ(ship->orbs[i].x, toFixed(64) + 5120 - 1792);
        EXPECT_EQ(ship->orbs[i].y, toFixed(64) + 2560 + 1024 * (7 + 8 * i) - 1792);
    }
}

TEST_F(PlayerShipTest, AcceleratesToTwoPixelsAndCoastsToRestInEightFrames) {
    hold({kKeyRight});
    for (int i = 1; i <= 10; ++i) {
        step(ship);
        EXPECT_EQ(ship->vx, std::min(64 * i, 512)) << "frame " << i;
    }
    hold({});
    for (int i = 1; i <= 8; ++i) {
        step(ship);
        EXPECT_EQ(ship->vx, 512 - 64 * i) << "frame " << i;
    }
    // The joystick steers the same way, and opposite directions cancel.
    hold({kJoyDown});
    step(ship);
    EXPECT_EQ(ship->vy, 64);
    hold({kJoyDown, kKeyUp});
    step(ship);
    EXPECT_EQ(ship->vy, 0);
}

TEST_F(PlayerShipTest, StaysInsideTheBandWithoutLosingSpeed) {
    ship->x = 256;
    hold({kKeyLeft, kKeyUp});
    for (int i = 0; i < 40; ++i)
        step(ship);
    EXPECT_EQ(ship->x, 0);
    EXPECT_EQ(ship->vx, -512);
    EXPECT_EQ(ship->y, toFixed(56));
    hold({kKeyRight, kKeyDown});
    for (int i = 0; i < 200; ++i)
        step(ship);
    EXPECT_EQ(ship->x, toFixed(280));
    EXPECT_EQ(ship->y, toFixed(165));
    EXPECT_EQ(ship->vy, 512);
}

TEST_F(PlayerShipTest, WallsPushTheShipTowardsTheMiddleOfTheBand) {
    // Column 9, row 7: x 72-79, y 112-119, under the hit box at rows 109 and 110.
    level.tiles[9][7] = 1;
    ship->y = toFixed(109);
    step(ship);
    EXPECT_EQ(ship->y, toFixed(115));
    EXPECT_EQ(ship->vy, 512);
    EXPECT_EQ(state.lives, 3);
    EXPECT_EQ(ship->invulnFrames, 32);
    EXPECT_EQ(soundCount(kSoundCrash), 1);

    // Invulnerable now: the crash is heard and the push happens, but no life goes.
    ship->y = toFixed(110);
    ship->vy = 0;
    step(ship);
    EXPECT_EQ(ship->y, toFixed(104));
    EXPECT_EQ(ship->vy, -512);
    EXPECT_EQ(state.lives, 3);
    EXPECT_EQ(ship->invulnFrames, 31);
    EXPECT_EQ(soundCount(kSoundCrash), 2);
}

TEST_F(PlayerShipTest, AtMostOneLifeLostPerFrame) {
    ship->postMessage(kMsgHit, 1);
    ship->postMessage(kMsgHit, 1);
    step(ship);
    EXPECT_EQ(state.lives, 3);
    EXPECT_EQ(soundCount(kSoundCrash), 1);

    // A hit while invulnerable is taken silently.
    ship->postMessage(kMsgHit, 1);
    step(ship);
    EXPECT_EQ(state.lives, 3);
    EXPECT_EQ(soundCount(kSoundCrash), 1);
    EXPECT_EQ(ship->msgCode[2], kMsgNone);
}

TEST_F(PlayerShipTest, RammingHurtsEveryEnemyTouchedEvenWhileInvulnerable) {
    Enemy* a = place(new Enemy(&env, nullptr, 0, 0));
    Enemy* b = place(new Enemy(&env, nullptr, 0, 0));
    a->hitbox = {80, 70, 4, 4};
    b->hitbox = {90, 72, 4, 4};
    step(ship);
    EXPECT_EQ(a->msgValue[0], 5);
    EXPECT_EQ(b->msgValue[0], 5);
    EXPECT_EQ(state.lives, 3) << "two enemies, one life";
    step(ship);
    EXPECT_EQ(a->msgCode[1], kMsgHit);
    EXPECT_EQ(a->msgValue[1], 5);
    EXPECT_EQ(state.lives, 3);
}

TEST_F(PlayerShipTest, MainGunAndOrbsFireInAnEightFramePeriod) {
    hold({kKeyZ});
    // For each frame of two periods: main gun, then whether orbs 0, 1, 2 fired.
    const bool expected[8][4] = {{true, true, true, true},    {false, false, false, false},
                                 {false, false, false, true}, {false, false, false, false},
                                 {false, false, true, false}, {false, false, false, false},
                                 {false, true, false, false}, {false, false, false, false}};
    for (int frame = 0; frame < 16; ++frame) {
        const int32_t orbY[3] = {ship->orbs[0].y, ship->orbs[1].y, ship->orbs[2].y};
        const int32_t orbX0 = ship->orbs[0].x;
        const size_t before = all<Shot>(kCodePlayerShot).size();
        SoundRecord::clear();
        step(ship);
        const auto shots = all<Shot>(kCodePlayerShot);
        bool fired[4] = {false, false, false, false};
        for (size_t i = before; i < shots.size(); ++i) {
            if (shots[i]->variant == Shot::kMainGunShot) {
                fired[0] = true;
                EXPECT_EQ(shots[i]->x, ship->x + 4608);
                EXPECT_EQ(shots[i]->vx, 1024);
                continue;
            }
            EXPECT_EQ(shots[i]->x, orbX0 + 768);
            EXPECT_EQ(shots[i]->dir, 4);
            EXPECT_EQ(shots[i]->vx, 1024);
            EXPECT_EQ(shots[i]->vy, 0);
            for (int o = 0; o < 3; ++o)
                fired[o + 1] |= shots[i]->y == orbY[o];
        }
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(fired[k], expected[frame % 8][k]) << frame << "/" << k;
        EXPECT_EQ(soundCount(kSoundPshot), frame % 8 == 0 ? 1 : 0) << frame;
    }
    // Released, the cooldown runs out and the next press fires at once.
    hold({});
    for (int i = 0; i < 8; ++i)
        step(ship);
    EXPECT_EQ(ship->fireCooldown, 0);
    hold({kJoyButton0 + 1});
    const size_t before = all<Shot>(kCodePlayerShot).size();
    step(ship);
    EXPECT_EQ(all<Shot>(kCodePlayerShot).size(), before + 4);
}

TEST_F(PlayerShipTest, NeverFinishesAndAnimatesThroughTwoPictures) {
    state.lives = 0;
    ship->postMessage(kMsgHit, 1);
    EXPECT_TRUE(step(ship));
    EXPECT_EQ(state.lives, -1);
    EXPECT_TRUE(step(ship));
    EXPECT_EQ(ship->animCounter, 2);
}
