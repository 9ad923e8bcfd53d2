// A player's shot over two enemies hurts only the first; a retired shot is reused for either code.
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

TEST_F(ShotTest, RetiredShotIsReusedInPlaceForEitherShotCode) {
    env.addElement(kCodeExplosion, 0, 0, 0, 0, 0);
    env.addElement(kCodeEnemyShot, 0, 0, 0, 0, 0);
    Element* shot = env.elements[1];
    for (uint32_t code : {kCodePlayerShot, kCodeEnemyShot}) {
        shot->isNew = shot->active = 0;
        shot->dead = 1;
        shot->postMessage(kMsgHit, 1);
        env.addElement(code, 5, 6, 0, 0, 8);
        EXPECT_EQ(std::tuple(env.elements[1], env.elements[2], shot->type),
                  std::tuple(shot, nullptr, code & 0xFFFF));
        EXPECT_TRUE(shot->active && shot->isNew && !shot->dead && shot->nextMessage() == kMsgNone);
    }
}
