// Shots at the edges of their rules: the flight area, the first of two targets, the orb shot's
// hit square.
#include "element_world.h"

class ShotTest : public ElementWorld {
  protected:
    Shot* shotAt(int32_t px, int32_t py, int32_t variant, int32_t vx = 0) {
        const int32_t dir = variant == Shot::kOrbShot ? 3 : 8;
        return place(new Shot(&env, nullptr, toFixed(px), toFixed(py), vx, 0, dir, variant));
    }
};

TEST_F(ShotTest, FliesUntilItsCornerLeavesTheDoubleSizeArea) {
    const int32_t cases[8][3] = {{-13, 100, 1}, {-14, 100, 0}, {639, 100, 1}, {640, 100, 0},
                                 {100, -13, 1}, {100, -14, 0}, {100, 479, 1}, {100, 480, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(step(shotAt(c[0], c[1], Shot::kMainGunShot)), c[2] != 0) << c[0] << "," << c[1];
}

TEST_F(ShotTest, PlayerShotsHitOnlyTheFirstEnemyWithTheirDamage) {
    Enemy* first = enemyOver({95, 95, 20, 20});
    Enemy* second = enemyOver({95, 95, 20, 20});
    EXPECT_FALSE(step(shotAt(100, 100, Shot::kMainGunShot, 1024)));
    EXPECT_EQ(std::tuple(first->msgValue[0], second->msgCode[0]), std::tuple(3, kMsgNone));
    EXPECT_EQ(SoundRecord::count(), 0) << "a shot makes no sound of its own";
    // Orb shots test (6, 6) to (10, 10) from their corner: this enemy touches only that square.
    Enemy* small = enemyOver({209, 209, 2, 2});
    EXPECT_TRUE(step(shotAt(200, 200, Shot::kMainGunShot)));
    EXPECT_FALSE(step(shotAt(200, 200, Shot::kOrbShot)));
    EXPECT_EQ(small->msgValue[0], 1);
}
