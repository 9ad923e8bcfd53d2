// Explosion timing: the random start delay, the picture for each age, and the end.
#include "elements/explosion.h"

#include "element_world.h"

using ExplosionTest = ElementWorld;

TEST_F(ExplosionTest, StartDelayIsOneDrawOfUpToFiveFrames) {
    randomSeed(777);
    const int32_t expected = -(randomNext() % 6);
    randomSeed(777);
    Explosion e(&env, nullptr, 1000, 2000);
    EXPECT_EQ(e.counter, expected);
    EXPECT_EQ(e.x, 1000);
    EXPECT_EQ(e.y, 2000);
    EXPECT_EQ(e.layer, 7);
    EXPECT_EQ(e.hitbox.w, 0);
    EXPECT_EQ(e.hitbox.h, 0);
    EXPECT_TRUE(e.isA(kCodeExplosion));
    EXPECT_FALSE(e.isA(kCodePlayerShot));
}

TEST_F(ExplosionTest, PicturesFollowTheAgeAndTheUpdatePastFifteenEndsIt) {
    Explosion e(&env, nullptr, 0, 0);
    e.counter = -2;
    ASSERT_TRUE(e.update());
    EXPECT_EQ(e.counter, -1);
    EXPECT_EQ(e.frame, 1) << "the delay shows the second picture";
    const int32_t expectedFrames[16] = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
    for (int32_t c = 0; c < 16; ++c) {
        ASSERT_TRUE(e.update()) << "counter " << c;
        EXPECT_EQ(e.frame, expectedFrames[c]) << "counter " << c;
    }
    EXPECT_FALSE(e.update());
}
