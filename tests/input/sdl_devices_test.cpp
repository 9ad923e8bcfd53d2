// The joystick through SDL's virtual joystick: scaling, the polling handshake, hot plug and focus.
#include "input/sdl_devices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

TEST(JoyAxis, ScalesToThousand) {
    EXPECT_EQ(scaleAxis(0), 0);
    EXPECT_EQ(scaleAxis(32767), 1000);
    EXPECT_EQ(scaleAxis(-32768), -1000);
    EXPECT_EQ(scaleAxis(-32767), -999);
    EXPECT_EQ(scaleAxis(9862), 300);
    EXPECT_EQ(scaleAxis(9863), 301);
    EXPECT_EQ(scaleAxis(-9863), -300);
    EXPECT_EQ(scaleAxis(-9864), -301);
}

uint8_t directionsOf(int16_t x, int16_t y) {
    JoySample sample;
    sample.x = x;
    sample.y = y;
    uint8_t joy[10] = {};
    joyStateFromSample(sample, joy);
    return static_cast<uint8_t>(joy[0] | joy[1] << 1 | joy[2] << 2 | joy[3] << 3);
}

TEST(JoyAxis, ThresholdEdges) {
    EXPECT_EQ(directionsOf(9862, 0), 0);      // 300: no direction
    EXPECT_EQ(directionsOf(9863, 0), 1);      // 301: right
    EXPECT_EQ(directionsOf(-9863, 0), 0);     // -300
    EXPECT_EQ(directionsOf(-32768, 0), 2);    // -1000: left
    EXPECT_EQ(directionsOf(0, -9864), 4);     // -301: up
    EXPECT_EQ(directionsOf(0, 9863), 8);      // 301: down
    EXPECT_EQ(directionsOf(32767, 32767), 9); // right and down together
}

TEST(JoyAxis, DpadAndButtons) {
    JoySample sample;
    sample.dpad[1] = true;
    sample.dpad[2] = true;
    sample.buttons[0] = true;
    sample.buttons[5] = true;
    uint8_t joy[10] = {};
    joyStateFromSample(sample, joy);
    const uint8_t want[10] = {0, 1, 1, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(joy, want, 10), 0);
}

// One virtual device attached for a test, detached after it.
class VirtualJoystick : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0); }
    void TearDown() override {
        detach();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    void attach(SDL_JoystickType type, int axes, int buttons) {
        index_ = SDL_JoystickAttachVirtual(type, axes, buttons, 0);
        ASSERT_GE(index_, 0) << SDL_GetError();
        device_ = SDL_JoystickOpen(index_);
        ASSERT_NE(device_, nullptr);
    }
    void detach() {
        if (device_ != nullptr) SDL_JoystickClose(device_);
        device_ = nullptr;
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        index_ = -1;
    }
    void setAxis(int axis, int16_t value) {
        SDL_JoystickSetVirtualAxis(device_, axis, value);
        SDL_JoystickUpdate();
    }
    void setButton(int button, bool down) {
        SDL_JoystickSetVirtualButton(device_, button, down ? 1 : 0);
        SDL_JoystickUpdate();
    }
    void pump(SdlDevices& devices) {
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0)
            devices.handleEvent(event);
    }
    void read(SdlDevices& devices) { devices.readState(keys_, joy_); }

    int index_ = -1;
    SDL_Joystick* device_ = nullptr;
    uint8_t keys_[256] = {};
    uint8_t joy_[10] = {};
};

TEST_F(VirtualJoystick, FrameWithoutAFreshPollKeepsTheLastState) {
    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 8);
    SdlDevices devices(false);
    devices.start();
    ASSERT_TRUE(devices.hasJoystick());
    EXPECT_FALSE(devices.isGameController());

    std::memset(joy_, 7, sizeof joy_);
    read(devices); // nothing polled yet: left as it was
    EXPECT_EQ(joy_[0], 7);

    setAxis(0, 32767);
    setButton(3, true);
    devices.pollOnce();
    EXPECT_TRUE(devices.pollReady.load());
    read(devices);
    EXPECT_FALSE(devices.pollReady.load());
    EXPECT_EQ(joy_[0], 1);
    EXPECT_EQ(joy_[1], 0);
    EXPECT_EQ(joy_[7], 1);

    setAxis(0, 0);
    setButton(3, false);
    read(devices); // the stick moved, but no poll came in
    EXPECT_EQ(joy_[0], 1);
    EXPECT_EQ(joy_[7], 1);

    devices.pollOnce();
    read(devices);
    EXPECT_EQ(joy_[0], 0);
    EXPECT_EQ(joy_[7], 0);
    devices.shutdown();
}

TEST_F(VirtualJoystick, RawJoystickUsesFirstTwoAxesAndSixButtons) {
    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 4, 10);
    SdlDevices devices(false);
    devices.start();
    setAxis(1, -32768); // up
    setAxis(2, 32767);  // a third axis is not used
    setButton(5, true);
    setButton(6, true); // nor a seventh button
    devices.pollOnce();
    read(devices);
    const uint8_t want[10] = {0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(joy_, want, 10), 0);
    devices.shutdown();
}

TEST_F(VirtualJoystick, GameControllerMapping) {
    attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX);
    SdlDevices devices(false);
    devices.start();
    ASSERT_TRUE(devices.isGameController());
    // A virtual controller's buttons and axes are numbered as the controller's own.
    setButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    setButton(SDL_CONTROLLER_BUTTON_X, true);
    setButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    setAxis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    devices.pollOnce();
    read(devices);
    const uint8_t want[10] = {0, 1, 0, 1, 0, 0, 1, 0, 0, 1};
    EXPECT_EQ(std::memcmp(joy_, want, 10), 0);
    devices.shutdown();
}

TEST_F(VirtualJoystick, PollingThreadDeliversAndNeverOverlapsARead) {
    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6);
    SdlDevices devices(true, std::chrono::milliseconds(1));
    devices.start();
    int fresh = 0;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    int16_t value = 32767;
    while (std::chrono::steady_clock::now() < until) {
        if (devices.pollReady.load()) ++fresh;
        read(devices);
        setAxis(0, value);
        value = static_cast<int16_t>(-value);
    }
    EXPECT_GT(fresh, 20);
    EXPECT_EQ(devices.overlaps(), 0);

    setAxis(0, 32767);
    bool sawRight = false;
    for (int i = 0; i < 200 && !sawRight; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        read(devices);
        sawRight = joy_[0] == 1 && joy_[1] == 0;
    }
    EXPECT_TRUE(sawRight);
    devices.shutdown();
    EXPECT_TRUE(devices.stopPolling.load());
}

TEST_F(VirtualJoystick, ConnectedLaterIsTakenUpAndUnpluggedReadsAllUp) {
    SdlDevices devices(false);
    devices.start();
    EXPECT_FALSE(devices.hasJoystick());
    std::memset(joy_, 1, sizeof joy_);
    read(devices);
    const uint8_t none[10] = {};
    EXPECT_EQ(std::memcmp(joy_, none, 10), 0);

    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6);
    pump(devices);
    ASSERT_TRUE(devices.hasJoystick());
    setButton(0, true);
    devices.pollOnce();
    read(devices);
    EXPECT_EQ(joy_[4], 1);

    detach();
    pump(devices);
    EXPECT_FALSE(devices.hasJoystick());
    devices.pollOnce();
    read(devices);
    EXPECT_EQ(std::memcmp(joy_, none, 10), 0);
    devices.shutdown();
}

TEST_F(VirtualJoystick, LosingFocusReleasesEverything) {
    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6);
    SdlDevices devices(false);
    devices.start();
    setAxis(0, 32767);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    devices.handleEvent(focus);
    devices.pollOnce();
    std::memset(keys_, 0x80, sizeof keys_);
    read(devices);
    const uint8_t noKeys[256] = {};
    const uint8_t none[10] = {};
    EXPECT_EQ(std::memcmp(keys_, noKeys, 256), 0);
    EXPECT_EQ(std::memcmp(joy_, none, 10), 0);

    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    devices.handleEvent(focus);
    devices.pollOnce();
    read(devices);
    EXPECT_EQ(joy_[0], 1);
    devices.shutdown();
}

} // namespace
