// The element table at its edges: lookups past dying and new elements, the full table, reuse in
// place, unknown codes, touching boxes and an exhausted collision pool.
#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "world/game_state.h"
#include "world/test_element.h"
#include "world/world.h"

namespace {
struct TableTest : ::testing::Test {
    void SetUp() override { env.state = gameState; }
    // An element in the next free slot; settled ones have had their first update.
    TestElement* put(uint32_t code, bool settled = false, Rect box = {}) {
        auto* e = new TestElement(code);
        e->isNew = settled ? 0 : 1;
        e->hitbox = box;
        EXPECT_TRUE(env.insertElement(e));
        return e;
    }
    TestKinds kinds;
    World env{nullptr, nullptr, nullptr, &kinds};
};
} // namespace

TEST_F(TableTest, LookupsTakeTheLowestMatchingSlotAndSkipLiveDyingOrNewOnes) {
    TestElement* low = put(kCodeEnemy);
    put(kCodeEnemy)->dead = 1;
    EXPECT_EQ(env.findInactive(kCodeEnemy), nullptr);
    put(kCodeEnemy)->active = low->active = 0;
    EXPECT_EQ(env.findInactive(kCodeEnemy), low);
    EXPECT_EQ(env.findInactive(kCodeExplosion), nullptr);
    TestElement* fresh = put(kCodePlayerShip);
    TestElement* settled = put(kCodePlayerShip, true);
    EXPECT_EQ(env.findElement(kCategoryPlayer, 1), settled);
    fresh->isNew = 0;
    EXPECT_EQ(env.findElement(kCategoryPlayer, -1), fresh);
    EXPECT_EQ(env.findElement(kCategoryEnemy, -1), nullptr);
}

TEST_F(TableTest, FullTableFreesTheElementThatFindsNoSlot) {
    TestElement::live = 0;
    for (int i = 0; i < World::kSlots; ++i)
        put(kCodeEnemy);
    TestElement extra(kCodeEnemy);
    EXPECT_FALSE(env.insertElement(&extra));
    // No retired explosion exists, so each request makes one that cannot be stored.
    for (int i = 0; i < 200; ++i)
        env.addElement(kCodeExplosion, 0, 0, 0, 0, 0);
    EXPECT_EQ(TestElement::live, World::kSlots + 1);
    env.collisionCount = 5;
    env.clearElements();
    EXPECT_EQ(std::tuple(TestElement::live, env.elements[0], env.collisionCount),
              std::tuple(1, nullptr, 0));
}

TEST_F(TableTest, NewElementTakesTheLowestEmptySlotAndAnUnknownCodePauses) {
    for (int i = 0; i < 3; ++i)
        env.addElement(kCodeExplosion, 0, 0, 0, 0, 0);
    delete env.elements[1];
    env.elements[1] = nullptr;
    env.addElement(kCodeEnemy, 320, 100, 0, 0, 0);
    EXPECT_TRUE(env.elements[1]->isA(kCodeEnemy));
    const auto start = std::chrono::steady_clock::now();
    env.addElement(0x10005, 0, 0, 0, 0, 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(env.elements[3], nullptr);
}

TEST_F(TableTest, CollisionAnswersInSlotOrderWithDyingAndTheAskerButNotRetiredOrNew) {
    TestElement* asker = put(kCodePlayerShip, true, {10, 10, 8, 8});
    TestElement* dying = put(kCodeEnemy, true, {12, 12, 8, 8});
    dying->dead = 1;
    put(kCodeEnemy, true, {12, 12, 8, 8})->active = 0;
    put(kCodeEnemy, false, {12, 12, 8, 8});
    TestElement* live = put(kCodeEnemy, true, {17, 17, 8, 8});
    for (Rect edge : {Rect{18, 10, 8, 8}, Rect{10, 18, 8, 8}, Rect{2, 10, 8, 8}})
        put(kCodeEnemy, true, edge); // touching edges only: no hit
    ElementList* hits = env.collide(asker->hitbox);
    EXPECT_NE(env.collide({100, 100, 4, 4}), hits); // each query takes its own list
    ASSERT_EQ(hits->count, 3);
    EXPECT_EQ(std::tuple(hits->items[0], hits->items[1], hits->items[2]),
              std::tuple(asker, dying, live));
}

TEST_F(TableTest, CollisionListsHoldAHundredAndAnExhaustedPoolAnswersEmpty) {
    for (int i = 0; i < 120; ++i)
        put(kCodeEnemy, true, {0, 0, 8, 8});
    ElementList* hits = env.collide({0, 0, 8, 8});
    EXPECT_EQ(std::tuple(hits->count, hits->items[99], env.collisionLists[1].count),
              std::tuple(ElementList::kCapacity, env.elements[99], 0));
    for (int i = 1; i < World::kCollisionLists; ++i)
        env.collide({200, 200, 4, 4});
    ElementList* spare = env.collide({0, 0, 4, 4}); // past the pool: empty, whatever overlaps
    EXPECT_EQ(std::tuple(spare->count, spare->next(-1, -1)), std::tuple(0, nullptr));
    for (const ElementList& list : env.collisionLists)
        EXPECT_TRUE(&list != spare && list.count == (&list == hits ? 100 : 0));
}
