// A plain element for table tests: counts its lives and deaths and does what the test tells it.
#pragma once

#include <functional>

#include "world/element.h"

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
    void draw() override {}

    int updates = 0;
    std::function<bool(TestElement&)> onUpdate;
};
