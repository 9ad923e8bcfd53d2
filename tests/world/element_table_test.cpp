// The element table: slot order, retirement and reuse, the two update passes and the full table.
#include <gtest/gtest.h>

#include <malloc.h>

#include <memory>

#include "elements/explosion.h"
#include "game/game_env.h"
#include "game/game_state.h"
#include "world/test_element.h"

namespace {
struct TableTest : ::testing::Test {
    void SetUp() override { env.state = gameState; }
    TestElement* put(uint32_t code) {
        auto* e = new TestElement(code);
        EXPECT_TRUE(env.insertElement(e));
        return e;
    }
    GameEnv env{nullptr, nullptr, nullptr};
};
} // namespace

TEST_F(TableTest, NewEnvironmentIsEmpty) {
    for (Element* e : env.elements)
        EXPECT_EQ(e, nullptr);
    for (const ElementList& l : env.collisionLists)
        EXPECT_EQ(l.count, 0);
    EXPECT_EQ(env.collisionCount, 0);
}

TEST_F(TableTest, InsertFillsLowestEmptySlotAndClearEmptiesAll) {
    TestElement::live = 0;
    TestElement* a = put(kCodeEnemy);
    put(kCodeEnemy);
    EXPECT_EQ(env.elements[0], a);
    env.collisionCount = 5;
    env.clearElements();
    EXPECT_EQ(TestElement::live, 0);
    EXPECT_EQ(env.elements[0], nullptr);
    EXPECT_EQ(env.elements[1], nullptr);
    EXPECT_EQ(env.collisionCount, 0);
}

TEST_F(TableTest, FindInactiveSkipsLiveAndDyingElements) {
    TestElement* live = put(kCodeEnemy);
    TestElement* dying = put(kCodeEnemy);
    dying->dead = 1;
    EXPECT_EQ(env.findInactive(kCodeEnemy), nullptr);
    TestElement* retired = put(kCodeEnemy);
    retired->active = 0;
    TestElement* lowerRetired = live;
    lowerRetired->active = 0;
    EXPECT_EQ(env.findInactive(kCodeEnemy), lowerRetired);
    EXPECT_EQ(env.findInactive(kCodeExplosion), nullptr);
}

TEST_F(TableTest, ElementDyingOnFirstUpdateIsRetiredInTheSamePass) {
    TestElement* e = put(kCodeExplosion);
    e->onUpdate = [](TestElement&) { return false; };
    env.updatePasses();
    EXPECT_EQ(e->updates, 1);
    EXPECT_EQ(e->dead, 1);
    EXPECT_EQ(e->active, 0);
    EXPECT_EQ(e->isNew, 0);
}

TEST_F(TableTest, NewElementIsUpdatedInBothPasses) {
    TestElement* e = put(kCodeEnemy);
    env.updatePasses();
    EXPECT_EQ(e->updates, 2);
    EXPECT_EQ(e->isNew, 0);
    env.updatePasses();
    EXPECT_EQ(e->updates, 3);
}

TEST_F(TableTest, DyingInSecondPassStaysActiveUntilNextFirstPass) {
    TestElement* e = put(kCodeEnemy);
    e->onUpdate = [](TestElement& self) { return self.updates < 2; };
    env.updatePasses();
    EXPECT_EQ(e->dead, 1);
    EXPECT_EQ(e->active, 1);
    env.updatePasses();
    EXPECT_EQ(e->active, 0);
    EXPECT_EQ(e->updates, 2);
}

TEST_F(TableTest, ElementMadeDuringPassesFollowsItsSlotAndPass) {
    // Slot 0 spawns into slot 1 in the first pass, and into slot 2 in the second pass.
    TestElement* spawner = put(kCodeEnemy);
    TestElement* firstPassChild = nullptr;
    TestElement* secondPassChild = nullptr;
    spawner->onUpdate = [&](TestElement& self) {
        auto* child = new TestElement(kCodeExplosion);
        env.insertElement(child);
        (self.updates == 1 ? firstPassChild : secondPassChild) = child;
        return true;
    };
    env.updatePasses();
    spawner->onUpdate = nullptr;
    ASSERT_NE(firstPassChild, nullptr);
    ASSERT_NE(secondPassChild, nullptr);
    EXPECT_EQ(firstPassChild->updates, 2); // above its maker: first update in the same pass
    EXPECT_EQ(secondPassChild->updates, 0);
    EXPECT_EQ(secondPassChild->isNew, 1);
    env.updatePasses();
    EXPECT_EQ(secondPassChild->updates, 2);
}

TEST_F(TableTest, EachUpdateStartsWithAFreshCollisionPool) {
    put(kCodeEnemy)->onUpdate = [&](TestElement&) {
        EXPECT_EQ(env.collisionCount, 0);
        env.collisionCount = 7;
        return true;
    };
    put(kCodeEnemy)->onUpdate = [&](TestElement&) {
        EXPECT_EQ(env.collisionCount, 0);
        return true;
    };
    env.updatePasses();
}

TEST_F(TableTest, FullTableRefusesAndFactoryFreesTheExtraElement) {
    TestElement::live = 0;
    for (int i = 0; i < GameEnv::kSlots; ++i)
        put(kCodeEnemy);
    auto extra = std::make_unique<TestElement>(kCodeEnemy);
    EXPECT_FALSE(env.insertElement(extra.get()));
    EXPECT_EQ(TestElement::live, GameEnv::kSlots + 1);

    // No retired explosion exists, so each request allocates one that cannot be stored;
    // the heap must not grow by the explosions that found no slot.
    constexpr int kTries = 200;
    const size_t heapBefore = mallinfo2().uordblks;
    for (int i = 0; i < kTries; ++i)
        env.addElement(kCodeExplosion, 0, 0, 0, 0, 0);
    const size_t heapAfter = mallinfo2().uordblks;
    EXPECT_LT(heapAfter, heapBefore + kTries * sizeof(Explosion) / 4);
    for (Element* e : env.elements)
        EXPECT_NE(e->type, kCodeExplosion & 0xFFFFu);
    env.clearElements();
    EXPECT_EQ(TestElement::live, 1);
}

TEST_F(TableTest, FindElementReturnsFirstSettledMatch) {
    TestElement* fresh = put(kCodePlayerShip);
    TestElement* settled = put(kCodePlayerShip);
    settled->isNew = 0;
    EXPECT_EQ(env.findElement(kCategoryPlayer, 1), settled);
    fresh->isNew = 0;
    EXPECT_EQ(env.findElement(kCategoryPlayer, -1), fresh);
    EXPECT_EQ(env.findElement(kCategoryEnemy, -1), nullptr);
}
