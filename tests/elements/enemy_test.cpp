// Enemies and their explosions: hits, kills, aimed fire and its limits, the wave, the left edge.
#include <set>

#include "element_world.h"

using EnemyTest = ElementWorld;

TEST_F(EnemyTest, HitsAddUpAndTheKillScoresLeavesFourPuffsAndLaterMessagesUnread) {
    state.level = 3;
    Enemy* e = place(new Enemy(&env, nullptr, 200, 100));
    e->postMessage(kMsgHit, 3);
    e->postMessage(kMsgHit, 1);
    EXPECT_TRUE(step(e));
    EXPECT_EQ(std::tuple(e->hitPoints, state.score, soundCount(kSoundEhit)), std::tuple(1, 6, 2));
    EXPECT_EQ(e->flashTimer, 6) << "set to 7 and counted down in the same update";
    state.level = 1; // a kill there scores 97 with its hit
    for (int i = 0; i < 3; ++i)
        e->postMessage(kMsgHit, 1);
    EXPECT_FALSE(step(e));
    EXPECT_EQ(std::tuple(state.score, state.killsToNextLevel, e->msgRead, soundCount(kSoundBoom)),
              std::tuple(6 + 97, -1, 3, 1));
    EXPECT_EQ(all<Explosion>(kCodeExplosion).size(), 4u);
}

TEST_F(EnemyTest, FiresShallowAimedShotsAtAShipToItsLeft) {
    // Ship x, ship y, enemy y, then the shot's speed: it aims 20 right of and 2 below the
    // ship's corner, and the steepest shot drops 154 a frame.
    const int32_t cases[2][5] = {{64, 100, 100, -384, 7}, {150, 300, 60, -47, 154}};
    for (const auto& c : cases) {
        env.clearElements();
        SoundRecord::clear();
        place(new PlayerShip(&env, nullptr, c[0], c[1]));
        Enemy* e = place(new Enemy(&env, nullptr, 200, c[2]));
        e->fireTimer = 1;
        EXPECT_TRUE(step(e));
        const auto shots = all<Shot>(kCodeEnemyShot);
        ASSERT_EQ(shots.size(), 1u);
        const Shot* s = shots[0];
        EXPECT_EQ(std::tuple(s->x, s->y, s->vx, s->vy, e->fireTimer, soundCount(kSoundEshot)),
                  std::tuple(toFixed(200) - 768, toFixed(c[2]) + 768, c[3], c[4], 190, 1));
    }
}

TEST_F(EnemyTest, HoldsFireWithoutAShipOrWithTheShipToItsRight) {
    state.level = 10;
    Enemy* e = place(new Enemy(&env, nullptr, 100, 100));
    e->fireTimer = 1;
    EXPECT_TRUE(step(e));
    EXPECT_EQ(e->fireTimer, 100);
    place(new PlayerShip(&env, nullptr, 200, 100));
    e->fireTimer = 1;
    EXPECT_TRUE(step(e));
    EXPECT_EQ(e->fireTimer, 100);
    EXPECT_EQ(std::tuple(all<Shot>(kCodeEnemyShot).size(), SoundRecord::count()),
              std::tuple(0u, 0));
}

TEST_F(EnemyTest, WeavesOnWholePixelsAndLeavesPastPixelMinus21WithoutScoring) {
    Enemy* e = place(new Enemy(&env, nullptr, 300, 100));
    std::set<int32_t> rows; // the wave's offsets from the centre line, in 24.8
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(step(e));
        rows.insert(e->y - e->baseY);
    }
    EXPECT_EQ(std::tuple(*rows.begin(), *rows.rbegin(), rows.size()), std::tuple(-8192, 8192, 65u));
    const Rect& box = e->hitbox;
    EXPECT_EQ(std::tuple(box.x, box.y, box.w, box.h), std::tuple(1, toPixel(e->y) + 2, 8, 10));
    EXPECT_TRUE(step(e, 21)) << "pixel -21 is still in play";
    EXPECT_EQ(e->x, toFixed(-21));
    EXPECT_FALSE(step(e));
    EXPECT_EQ(std::tuple(state.score, SoundRecord::count()), std::tuple(0, 0));
}

TEST_F(EnemyTest, ExplosionShowsThePictureOfItsAgeAndEndsPastFifteen) {
    Explosion* puff = place(new Explosion(&env, nullptr, 0, 0));
    // Age, then the picture: the start delay shows the second one.
    const int32_t ages[7][2] = {{-1, 1}, {0, 0}, {3, 0}, {4, 1}, {8, 2}, {15, 3}, {16, -1}};
    for (const auto& [age, picture] : ages) {
        puff->counter = age - 1;
        EXPECT_EQ(step(puff) ? puff->frame : -1, picture) << age;
    }
}
