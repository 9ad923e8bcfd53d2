// A player for long runs: fire held but let go now and then (so a lost game restarts), weaving up
// and down, drifting left and right, and swinging the chain for a stretch of every 400 frames.
#pragma once

#include <algorithm>
#include <cstdint>

#include "input/input.h"

class ScriptedPlayer : public InputSource {
  public:
    void readState(uint8_t keys[256], uint8_t joyState[10]) override {
        std::fill(keys, keys + 256, 0);
        std::fill(joyState, joyState + 10, 0);
        const int64_t f = frame_++;
        if (f % 128 < 126) hold(keys, kKeyZ);
        hold(keys, f % 80 < 40 ? kKeyUp : kKeyDown);
        if (f % 300 < 100)
            hold(keys, kKeyRight);
        else if (f % 300 >= 200)
            hold(keys, kKeyLeft);
        if (f % 400 >= 200 && f % 400 < 260) hold(keys, kKeyX);
    }
    int64_t frames() const { return frame_; }

  private:
    static void hold(uint8_t keys[256], int32_t key) { keys[key] = 0x80; }
    int64_t frame_ = 0;
};
