// Enemies hold their fire when there is nothing ahead of them to aim at.
#include "element_world.h"

using EnemyTest = ElementWorld;

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
