// The element base (code matching, inbox, reuse) and the answer-list cursor.
#include <gtest/gtest.h>

#include "world/element_list.h"
#include "world/test_element.h"

TEST(Element, IsAMatchesCategoryAndEitherTypeButNeverAZeroHalf) {
    const TestElement shot(kCodePlayerShot, kCodeEnemyShot & 0xFFFF);
    for (uint32_t code : {kCodePlayerShot, kCodeEnemyShot})
        EXPECT_TRUE(shot.isA(code)) << code;
    for (uint32_t code : {kCodeExplosion, 0x20002u, 0x00002u, 0x10000u})
        EXPECT_FALSE(shot.isA(code)) << code;
}

TEST(Element, InboxDeliversInOrderWrapsAtSixteenAndResetEmptiesIt) {
    TestElement e(kCodeEnemy);
    const auto take = [&e] {
        const uint32_t code = e.nextMessage();
        return std::pair(code, e.messageValue());
    };
    e.postMessage(kMsgHit, 3);
    EXPECT_EQ(take(), std::pair(kMsgHit, 3));
    EXPECT_EQ(take(), std::pair(kMsgNone, 0));
    for (int i = 0; i < 17; ++i) // the 17th post lands on the oldest unread one
        e.postMessage(kMsgHit, 100 + i);
    EXPECT_EQ(take(), std::pair(kMsgHit, 116));
    int taken = 1;
    while (e.nextMessage() != kMsgNone)
        ++taken;
    EXPECT_EQ(taken, 16);
    e.postMessage(kMsgHit, 1);
    e.active = e.isNew = 0;
    e.dead = 1;
    e.reset();
    EXPECT_TRUE(e.active && e.isNew && !e.dead && e.nextMessage() == kMsgNone);
}

TEST(ElementList, NextFiltersByCategoryAndTypeAndStaysAtTheEnd) {
    TestElement puff(kCodeExplosion), first(kCodeEnemy), second(kCodeEnemy);
    ElementList list;
    list.init();
    for (Element* e : {&puff, &first, &second})
        list.add(e);
    for (Element* expected : {&first, &second, static_cast<TestElement*>(nullptr)})
        EXPECT_EQ(list.next(kCategoryEnemy, -1), expected);
    EXPECT_EQ(list.next(-1, -1), nullptr);
    list.cursor = 0;
    EXPECT_EQ(list.next(kCategoryPlayer, 3), &puff);
    EXPECT_EQ(list.next(kCategoryPlayer, 3), nullptr);
}
