// Collision queries over the element table and the pool of answer lists.
#include <gtest/gtest.h>

#include "game/game_env.h"
#include "world/test_element.h"

namespace {
struct CollisionTest : ::testing::Test {
    // A settled element with its hit box in place, in the next free slot.
    TestElement* put(uint32_t code, Rect box) {
        auto* e = new TestElement(code);
        e->isNew = 0;
        e->hitbox = box;
        env.insertElement(e);
        return e;
    }
    GameEnv env{nullptr, nullptr, nullptr};
};
} // namespace

TEST_F(CollisionTest, AnswersInSlotOrderWithDyingAndTheAskerItself) {
    TestElement* asker = put(kCodePlayerShip, {10, 10, 8, 8});
    TestElement* dying = put(kCodeEnemy, {12, 12, 8, 8});
    dying->dead = 1;
    TestElement* retired = put(kCodeEnemy, {12, 12, 8, 8});
    retired->active = 0;
    TestElement* fresh = put(kCodeEnemy, {12, 12, 8, 8});
    fresh->isNew = 1;
    TestElement* live = put(kCodeEnemy, {17, 17, 8, 8});
    ElementList* hits = env.collide(asker->hitbox);
    ASSERT_EQ(hits->count, 3);
    EXPECT_EQ(hits->items[0], asker);
    EXPECT_EQ(hits->items[1], dying);
    EXPECT_EQ(hits->items[2], live);
    EXPECT_EQ(env.collisionCount, 1);
}

TEST_F(CollisionTest, EdgeContactIsNoHit) {
    put(kCodeEnemy, {18, 10, 8, 8});
    put(kCodeEnemy, {10, 18, 8, 8});
    put(kCodeEnemy, {2, 10, 8, 8});
    EXPECT_EQ(env.collide({10, 10, 8, 8})->count, 0);
}

TEST_F(CollisionTest, EachQueryTakesItsOwnListFromThePool) {
    put(kCodeEnemy, {0, 0, 8, 8});
    ElementList* first = env.collide({0, 0, 4, 4});
    ElementList* second = env.collide({100, 100, 4, 4});
    EXPECT_NE(first, second);
    EXPECT_EQ(first->count, 1);
    EXPECT_EQ(second->count, 0);
}

TEST_F(CollisionTest, ExhaustedPoolAnswersAnEmptyListOutsideThePool) {
    put(kCodeEnemy, {0, 0, 8, 8});
    for (int i = 0; i < GameEnv::kCollisionLists; ++i)
        env.collide({0, 0, 4, 4});
    ElementList* spare = env.collide({0, 0, 4, 4});
    EXPECT_EQ(env.collisionCount, GameEnv::kCollisionLists);
    EXPECT_EQ(spare->count, 0);
    EXPECT_EQ(spare->next(-1, -1), nullptr);
    for (const ElementList& list : env.collisionLists) {
        EXPECT_NE(&list, spare);
        EXPECT_EQ(list.count, 1);
    }
}

TEST_F(CollisionTest, MoreThanAHundredOverlapsKeepTheFirstHundred) {
    for (int i = 0; i < 120; ++i)
        put(kCodeEnemy, {0, 0, 8, 8});
    ElementList* hits = env.collide({0, 0, 8, 8});
    EXPECT_EQ(hits->count, ElementList::kCapacity);
    EXPECT_EQ(hits->items[99], env.elements[99]);
    EXPECT_EQ(env.collisionLists[1].count, 0); // the neighbouring list is untouched
}
