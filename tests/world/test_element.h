// A plain element for table tests, counting its lives and deaths and doing what the test tells it,
// and a factory that makes it for every known code.
#pragma once

#include <functional>

#include "world/element.h"
#include "world/element_factory.h"
#include "world/world.h"

class TestElement : public Element {
  public:
    static inline int live = 0;

    explicit TestElement(uint32_t code, uint32_t alsoType = 0) {
        categories[0] = code & 0xFFFF0000u;
        types[0] = code & 0xFFFFu;
        types[1] = alsoType;
        category = categories[0];
        type = types[0];
        ++live;
    }
    ~TestElement() override { --live; }

    bool update() override {
        ++updates;
        return onUpdate ? onUpdate(*this) : true;
    }
    void draw() const override {}

    int updates = 0;
    std::function<bool(TestElement&)> onUpdate;
};

// Any of the game's codes as a TestElement, a retired one of the code reused as the game's kinds
// do.
class TestKinds : public ElementFactory {
  public:
    Element* bringElement(World& world, uint32_t code, int32_t, int32_t, int32_t, int32_t, int32_t,
                          bool& fresh) const override {
        if (code != kCodePlayerShip && code != kCodePlayerShot && code != kCodeExplosion &&
            code != kCodeEnemyShot && code != kCodeEnemy)
            return nullptr;
        Element* reused = world.findInactive(code);
        fresh = reused == nullptr;
        if (reused != nullptr) reused->reset();
        return reused != nullptr ? reused : new TestElement(code);
    }
};
