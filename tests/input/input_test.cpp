// The held-input record: keys count by their high bit, joystick entries as stored.
#include <gtest/gtest.h>

#include "input/input.h"
#include "support/key_source.h"

TEST(Input, KeysCountByTheHighBitJoystickAsStoredAndNothingOutside0To265) {
    KeySource keys;
    Input input(&keys), unplugged(nullptr);
    keys.held = {kKeyZ, kJoyLeft, kJoyButton0 + 5};
    input.readState();
    input.keys[kKeyX] = 0x7F;
    input.keys[kKeyUp] = 0xFF;
    const int32_t cases[][2] = {{kKeyZ, 1},     {kKeyUp, 1}, {kKeyX, 0}, {kJoyLeft, 1},
                                {kJoyRight, 0}, {265, 1},    {266, 0},   {-1, 0}};
    for (auto [n, down] : cases)
        EXPECT_EQ(input.isDown(n), down) << n;
    unplugged.readState(); // no source: everything reads up
    for (int n = 0; n < kInputCount; ++n)
        EXPECT_EQ(unplugged.isDown(n), 0);
}
