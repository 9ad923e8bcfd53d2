// A player's shot over two enemies hurts only the first.
#include "element_world.h"

using ShotTest = ElementWorld;

TEST_F(ShotTest, PlayerShotsHitOnlyTheFirstEnemyWithTheirDamage) {
    Enemy* first = enemyOver({95, 95, 20, 20});
    Enemy* second = enemyOver({95, 95, 20, 20});
    EXPECT_FALSE(step(place(
        new Shot(&env, nullptr, toFixed(100), toFixed(100), 1024, 0, 8, Shot::kMainGunShot))));
    EXPECT_EQ(std::tuple(first->msgValue[0], second->msgCode[0]), std::tuple(3, kMsgNone));
    EXPECT_EQ(SoundRecord::count(), 0) << "a shot makes no sound of its own";
}
