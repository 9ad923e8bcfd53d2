// The held-input record: one read per frame from its source, and queries by input number.
#include <gtest/gtest.h>

#include "game/key_source.h"
#include "input/input.h"

namespace {
class CountingRecorder : public InputRecorder {
  public:
    void recordFrame(const Input& input) override {
        ++frames;
        lastZ = input.isDown(kKeyZ);
    }
    int frames = 0;
    int lastZ = -1;
};
} // namespace

TEST(Input, ReadsKeysByHighBitAndJoystickAsStored) {
    KeySource keys;
    Input input(&keys);
    EXPECT_EQ(keys.starts, 1);
    keys.held = {kKeyZ, kKeyUp, kJoyLeft, kJoyButton0 + 5};
    input.readState();
    EXPECT_EQ(input.isDown(kKeyZ), 1);
    EXPECT_EQ(input.isDown(kKeyUp), 1);
    EXPECT_EQ(input.isDown(kKeyX), 0);
    EXPECT_EQ(input.isDown(kJoyLeft), 1);
    EXPECT_EQ(input.isDown(kJoyRight), 0);
    EXPECT_EQ(input.isDown(265), 1);
    EXPECT_EQ(input.isDown(266), 0);
    EXPECT_EQ(input.isDown(-1), 0);
    input.keys[kKeyX] = 0x7F; // only the high bit means held
    EXPECT_EQ(input.isDown(kKeyX), 0);
    input.shutdown();
    EXPECT_EQ(keys.shutdowns, 1);
}

TEST(Input, RecorderSeesEachFrameAfterTheRead) {
    KeySource keys;
    Input input(&keys);
    CountingRecorder recorder;
    input.setRecorder(&recorder);
    keys.held = {kKeyZ};
    input.readState();
    EXPECT_EQ(recorder.frames, 1);
    EXPECT_EQ(recorder.lastZ, 1);
}

TEST(Input, NoSourceReadsEverythingUp) {
    Input input(nullptr);
    input.readState();
    for (int n = 0; n < kInputCount; ++n)
        EXPECT_EQ(input.isDown(n), 0);
    input.shutdown();
}
