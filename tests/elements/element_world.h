// A small real game world for element tests: environment, level, state record and held keys.
#pragma once

#include <initializer_list>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "base/sound.h"
#include "elements/element_kinds.h"
#include "elements/enemy.h"
#include "elements/player_ship.h"
#include "elements/shot.h"
#include "input/input.h"
#include "world/game_state.h"
#include "world/level.h"
#include "world/random.h"
#include "world/world.h"

class ElementWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        env.state = &state;
        state.lives = 4;
        state.level = 1;
        randomSeed(12345);
        SoundRecord::clear();
    }
    void TearDown() override { env.clearElements(); }
    // Holds exactly these keys and joystick inputs down from now on.
    void hold(std::initializer_list<int32_t> inputs) {
        input = Input(nullptr);
        for (int32_t n : inputs)
            *(n < 256 ? &input.keys[n] : &input.joyState[n - 256]) = n < 256 ? 0x80 : 1;
    }
    // Updates as the update passes do, each with a fresh collision pool; the last answer.
    bool step(Element* e, int times = 1) {
        bool alive = true;
        for (int i = 0; i < times; ++i) {
            env.collisionCount = 0;
            alive = e->update();
        }
        return alive;
    }
    // Puts a ready-made element into the table as if it had already had its first update.
    template <class T> T* place(T* e, Rect hitbox = {}) {
        env.insertElement(e);
        e->isNew = 0;
        if (hitbox.w > 0) e->hitbox = hitbox;
        return e;
    }
    Enemy* enemyOver(Rect box) { return place(new Enemy(&env, nullptr, 0, 0), box); }
    // Every element in the table with this code, in slot order.
    template <class T> std::vector<T*> all(uint32_t code) {
        std::vector<T*> found;
        for (Element* e : env.elements)
            if (e != nullptr && (e->category | e->type) == code)
                found.push_back(static_cast<T*>(e));
        return found;
    }
    static int soundCount(SoundId id) {
        int n = 0;
        for (int i = 0; i < SoundRecord::count(); ++i)
            n += SoundRecord::at(i).id == id ? 1 : 0;
        return n;
    }

    GameState state;
    Input input{nullptr};
    Level level;
    ElementKinds kinds;
    World env{&input, nullptr, &level, &kinds};
};
