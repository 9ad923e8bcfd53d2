// The element base (codes, inbox, reuse) and the collision answer list.
#include <gtest/gtest.h>

#include "world/element_list.h"
#include "world/random.h"
#include "world/test_element.h"

TEST(RandomStream, FollowsTheLinearCongruentialFormula) {
    // Seed 1: 1 * 214013 + 2531011 = 2745024, and 2745024 >> 16 = 41; and so on.
    randomSeed(1);
    EXPECT_EQ(randomNext(), 41);
    EXPECT_EQ(randomState(), 2745024u);
    EXPECT_EQ(randomNext(), 18467);
    EXPECT_EQ(randomNext(), 6334);
    EXPECT_EQ(randomNext(), 26500);
    EXPECT_EQ(randomState(), 3884216597u);
}

TEST(Element, StartsNewWithAnEmptyInbox) {
    TestElement e(kCodeEnemy);
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(e.isNew, 1);
    EXPECT_EQ(e.dead, 0);
    EXPECT_EQ(e.msgLast, -1);
    EXPECT_EQ(e.nextMessage(), kMsgNone);
    EXPECT_EQ(e.hitbox.w, 0);
}

TEST(Element, IsAMatchesBothCategoryAndTypeLists) {
    TestElement shot(kCodePlayerShot, kCodeEnemyShot & 0xFFFF);
    EXPECT_TRUE(shot.isA(kCodePlayerShot));
    EXPECT_TRUE(shot.isA(kCodeEnemyShot));
    EXPECT_FALSE(shot.isA(kCodeExplosion));
    EXPECT_FALSE(shot.isA(0x20002));
    EXPECT_FALSE(shot.isA(0x00002)); // category 0 never matches
    EXPECT_FALSE(shot.isA(0x10000)); // type 0 never matches
}

TEST(Element, InboxDeliversInOrderAndWrapsAfterSixteen) {
    TestElement e(kCodeEnemy);
    e.postMessage(kMsgHit, 3);
    e.postMessage(kMsgHit, 5);
    EXPECT_EQ(e.nextMessage(), kMsgHit);
    EXPECT_EQ(e.messageValue(), 3);
    EXPECT_EQ(e.nextMessage(), kMsgHit);
    EXPECT_EQ(e.messageValue(), 5);
    const int32_t readBefore = e.msgRead;
    EXPECT_EQ(e.nextMessage(), kMsgNone);
    EXPECT_EQ(e.msgLast, -1);
    EXPECT_EQ(e.messageValue(), 0);
    EXPECT_EQ(e.msgRead, readBefore);

    // 17 posts without a read: the 17th lands on the oldest unread one.
    for (int i = 0; i < 17; ++i)
        e.postMessage(kMsgHit, 100 + i);
    int taken = 0;
    while (e.nextMessage() != kMsgNone) {
        if (taken == 0) {
            EXPECT_EQ(e.messageValue(), 116);
        }
        ++taken;
    }
    EXPECT_EQ(taken, 16);
}

TEST(Element, ResetEmptiesTheInboxAndMakesItNewAgain) {
    TestElement e(kCodeEnemy);
    e.postMessage(kMsgHit, 1);
    e.active = 0;
    e.isNew = 0;
    e.dead = 1;
    e.layer = 2;
    e.reset();
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(e.isNew, 1);
    EXPECT_EQ(e.dead, 0);
    EXPECT_EQ(e.nextMessage(), kMsgNone);
    EXPECT_EQ(e.msgWrite, 0);
    EXPECT_EQ(e.layer, 2);
    EXPECT_TRUE(e.isA(kCodeEnemy));
}

TEST(ElementList, NextFiltersByOwnCategoryAndTypeAndStaysAtTheEnd) {
    TestElement puff(kCodeExplosion);
    TestElement first(kCodeEnemy);
    TestElement second(kCodeEnemy);
    ElementList list;
    list.init();
    EXPECT_EQ(list.next(-1, -1), nullptr);
    list.add(&puff);
    list.add(&first);
    list.add(&second);
    EXPECT_EQ(list.next(kCategoryEnemy, -1), &first);
    EXPECT_EQ(list.next(kCategoryEnemy, -1), &second);
    EXPECT_EQ(list.next(kCategoryEnemy, -1), nullptr);
    EXPECT_EQ(list.next(-1, -1), nullptr);
    list.cursor = 0;
    EXPECT_EQ(list.next(kCategoryPlayer, 3), &puff);
    EXPECT_EQ(list.next(kCategoryPlayer, 3), nullptr);
}

TEST(ElementList, FullListDropsTheExtraEntry) {
    TestElement e(kCodeEnemy);
    TestElement extra(kCodeExplosion);
    ElementList list;
    list.init();
    for (int i = 0; i < ElementList::kCapacity; ++i)
        list.add(&e);
    list.add(&extra);
    EXPECT_EQ(list.count, ElementList::kCapacity);
    EXPECT_EQ(list.next(kCategoryPlayer, -1), nullptr);
}
