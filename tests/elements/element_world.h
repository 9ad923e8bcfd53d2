// A small real game world for element tests: environment, level, state record and held keys.
#pragma once

#include <initializer_list>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "app/sound.h"
#include "game/game_env.h"
#include "game/game_state.h"
#include "input/input.h"
#include "world/element.h"
#include "world/level.h"
#include "world/random.h"

// Holds exactly the chosen inputs down, like a player who never lets go.
class HeldInputs : public InputSource {
  public:
    void readState(uint8_t keys[256], uint8_t joyState[10]) override {
        for (int n = 0; n < 256; ++n)
            keys[n] = held.count(n) != 0 ? 0x80 : 0;
        for (int n = 0; n < 10; ++n)
            joyState[n] = held.count(256 + n) != 0 ? 1 : 0;
    }
    std::set<int32_t> held;
};

class ElementWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        savedState_ = gameState;
        gameState = &state;
        env.state = &state;
        state.lives = 4;
        state.level = 1;
        state.killsToNextLevel = 20;
        randomSeed(12345);
        SoundRecord::clear();
    }
    void TearDown() override {
        env.clearElements();
        gameState = savedState_;
    }

    void hold(std::initializer_list<int32_t> inputs) {
        keys.held = inputs;
        input.readState();
    }
    // One update of one element, with a fresh collision pool as the update passes give it.
    bool step(Element* e) {
        env.collisionCount = 0;
        return e->update();
    }
    // Puts a ready-made element into the table as if it had already had its first update.
    template <class T> T* place(T* e) {
        env.insertElement(e);
        e->isNew = 0;
        return e;
    }
    // Every element in the table of the kind, in slot order.
    template <class T> std::vector<T*> all(uint32_t code) {
        std::vector<T*> found;
        for (Element* e : env.elements) {
            if (e != nullptr && e->category == (code & 0xFFFF0000) && e->type == (code & 0xFFFF))
                found.push_back(static_cast<T*>(e));
        }
        return found;
    }
    std::vector<PlayedSound> sounds() const {
        std::vector<PlayedSound> out;
        for (int i = 0; i < SoundRecord::count(); ++i)
            out.push_back(SoundRecord::at(i));
        return out;
    }
    int soundCount(SoundId id) const {
        int n = 0;
        for (const PlayedSound& s : sounds())
            n += s.id == id ? 1 : 0;
        return n;
    }

    GameState state;
    HeldInputs keys;
    Input input{&keys};
    Level level;
    GameEnv env{&input, nullptr, &level};

  private:
    GameState* savedState_ = nullptr;
};
