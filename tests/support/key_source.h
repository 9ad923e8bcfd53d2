// An input source for game tests: the keys the test holds down, as a device would report them.
#pragma once

#include <cstring>
#include <set>

#include "input/input.h"

class KeySource : public InputSource {
  public:
    void readState(uint8_t keys[256], uint8_t joyState[10]) override {
        std::memset(keys, 0, 256);
        std::memset(joyState, 0, 10);
        for (int n : held) {
            if (n < 256)
                keys[n] = 0x80;
            else
                joyState[n - 256] = 1;
        }
    }
    std::set<int> held;
};
