// The joystick through SDL's virtual joystick: scaling, the polling handshake, hot plug and focus.
#include "desktop/sdl_devices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "input/input.h"

namespace {

// The ten joystick inputs as digits: right, left, up, down, buttons 0-5.
std::string bits(const uint8_t joy[10]) {
    std::string s;
    for (int i = 0; i < 10; ++i)
        s += static_cast<char>('0' + joy[i]);
    return s;
}

// Raw values at the thresholds and the ends, given on both axes at once: right and down above
// 300, left and up below -300. Dpad and buttons come from real devices in the tests below.
TEST(JoyAxis, ScalesToThousandWithStrictThresholds) {
    const std::pair<int16_t, int32_t> cases[] = {{0, 0},         {9862, 300},   {9863, 301},
                                                 {-9863, -300},  {-9864, -301}, {-32768, -1000},
                                                 {-32767, -999}, {32767, 1000}};
    for (const auto& [raw, scaled] : cases) {
        uint8_t joy[10] = {};
        joyStateFromSample(JoySample{raw, raw}, joy);
        EXPECT_EQ(scaleAxis(raw), scaled);
        const char* want = scaled > 300    ? "1001000000"
                           : scaled < -300 ? "0110000000"
                                           : "0000000000";
        EXPECT_EQ(bits(joy), want) << raw;
    }
}

// One virtual device attached for a test, detached after it. Set values reach SDL's joystick
// state at the next SDL_JoystickUpdate; the devices poll only when the test says.
class VirtualJoystick : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0); }
    void TearDown() override {
        devices_.shutdown();
        detach();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    void attach(SDL_JoystickType type, int axes, int buttons) {
        index_ = SDL_JoystickAttachVirtual(type, axes, buttons, 0);
        device_ = SDL_JoystickOpen(index_);
        ASSERT_NE(device_, nullptr) << SDL_GetError();
    }
    void detach() {
        if (device_ != nullptr) SDL_JoystickClose(device_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        device_ = nullptr;
        index_ = -1;
    }
    void axis(int n, int16_t value) { SDL_JoystickSetVirtualAxis(device_, n, value); }
    void button(int n, bool down) { SDL_JoystickSetVirtualButton(device_, n, down ? 1 : 0); }
    void pump() {
        SDL_PumpEvents();
        for (SDL_Event event; SDL_PollEvent(&event) != 0;)
            devices_.handleEvent(event);
    }
    std::string read(SdlDevices& devices) {
        devices.readState(keys_, joy_);
        return bits(joy_);
    }
    std::string pollAndRead() {
        SDL_JoystickUpdate();
        devices_.pollOnce();
        return read(devices_);
    }

    int index_ = -1;
    SDL_Joystick* device_ = nullptr;
    SdlDevices devices_{false};
    uint8_t keys_[256] = {};
    uint8_t joy_[10] = {};
};

TEST_F(VirtualJoystick, FrameWithoutAFreshPollKeepsTheLastState) {
    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 8);
    devices_.start();
    std::memset(joy_, 7, sizeof joy_);
    EXPECT_EQ(read(devices_), "7777777777"); // nothing polled yet: left as it was
    axis(0, 32767);
    button(3, true);
    EXPECT_EQ(pollAndRead(), "1000000100");
    EXPECT_FALSE(devices_.pollReady.load());
    axis(0, 0);
    button(3, false);
    SDL_JoystickUpdate();
    EXPECT_EQ(read(devices_), "1000000100"); // the stick moved, but no poll came in
    EXPECT_EQ(pollAndRead(), "0000000000");
}

// A raw joystick gives its first two axes and six buttons; a virtual controller's buttons and
// axes are numbered as the controller's own.
TEST_F(VirtualJoystick, RawAndGameControllerMappings) {
    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 4, 10);
    devices_.start();
    axis(1, -32768); // up
    axis(2, 32767);  // a third axis is not used
    button(5, true);
    button(6, true); // nor a seventh button
    EXPECT_EQ(pollAndRead(), "0010000001");
    devices_.shutdown();
    detach();

    attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX);
    devices_.start();
    ASSERT_TRUE(devices_.isGameController());
    for (int n : {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_X,
                  SDL_CONTROLLER_BUTTON_RIGHTSHOULDER})
        button(n, true);
    axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    EXPECT_EQ(pollAndRead(), "0101001001");
    // The player's own buttons: Y fires instead of A or B, the left shoulder moves left instead
    // of the pad's arrow; the chain keeps its usual X or Y.
    PlayerSettings own;
    own.pads[static_cast<int>(PlayerControl::kFire)] = PadButton::kY;
    own.pads[static_cast<int>(PlayerControl::kLeft)] = PadButton::kLeftShoulder;
    devices_.setBindings(own);
    EXPECT_EQ(pollAndRead(), "0001001001");
    button(SDL_CONTROLLER_BUTTON_Y, true);
    button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    EXPECT_EQ(pollAndRead(), "0101101011"); // Y no longer swings the chain
}

// Keys by the player's settings: a moved control's key gives that control's input number and its
// old key gives nothing; pause and mute never reach the game; other keys pass as they are.
TEST(Keyboard, OwnKeysReachTheGameAsTheirControlsInputNumbers) {
    PlayerSettings own;
    own.keys[static_cast<int>(PlayerControl::kFire)] = SDL_SCANCODE_J;
    own.keys[static_cast<int>(PlayerControl::kLeft)] = SDL_SCANCODE_A;
    own.keys[static_cast<int>(PlayerControl::kPause)] = SDL_SCANCODE_SPACE; // usages, as SDL's
    const struct {
        std::vector<SDL_Scancode> held;
        std::vector<int> inputs; // the game's inputs that read as held
    } cases[] = {
        {{SDL_SCANCODE_J}, {kKeyZ, 0x24}}, // J fires, and is J as well
        {{SDL_SCANCODE_Z}, {}},            // Z no longer fires
        {{SDL_SCANCODE_A}, {kKeyLeft, 0x1E}},
        {{SDL_SCANCODE_LEFT}, {}},
        {{SDL_SCANCODE_X, SDL_SCANCODE_UP}, {kKeyX, kKeyUp}}, // unmoved controls as always
        {{SDL_SCANCODE_SPACE, SDL_SCANCODE_M, SDL_SCANCODE_PAUSE}, {}},
        {{SDL_SCANCODE_P, SDL_SCANCODE_ESCAPE}, {0x19, kKeyEscape}}, // P is a key like others now
    };
    for (const auto& c : cases) {
        Uint8 held[SDL_NUM_SCANCODES] = {};
        for (SDL_Scancode key : c.held)
            held[key] = 1;
        uint8_t keys[256] = {};
        keysFromPositions(held, SDL_NUM_SCANCODES, own, keys);
        std::vector<int> down;
        for (int n = 0; n < 256; ++n)
            if (keys[n] != 0) down.push_back(n);
        std::vector<int> expected = c.inputs;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(down, expected) << SDL_GetScancodeName(c.held[0]);
    }
}

TEST_F(VirtualJoystick, PollingThreadDeliversAndNeverOverlapsARead) {
    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6);
    SdlDevices threaded(true, std::chrono::milliseconds(1));
    threaded.start();
    // Counts polls rather than time: on a loaded machine the thread may be slow, never silent.
    // The generous limit only keeps a broken thread from hanging the test.
    int fresh = 0;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (int16_t v = 32767; fresh < 50 && std::chrono::steady_clock::now() < limit;
         v = int16_t(-v)) {
        fresh += threaded.pollReady.load() ? 1 : 0;
        read(threaded);
        axis(0, v);
        SDL_JoystickUpdate();
    }
    EXPECT_EQ(fresh, 50);
    EXPECT_EQ(threaded.overlaps(), 0);
    threaded.shutdown();
}

// Hot plug and window focus, both told through SDL events.
TEST_F(VirtualJoystick, ConnectedLaterIsTakenUpAndFocusLossOrUnplugReleasesAll) {
    devices_.start();
    attach(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6);
    pump();
    ASSERT_TRUE(devices_.hasJoystick());
    axis(0, 32767);
    button(0, true);
    EXPECT_EQ(pollAndRead(), "1000100000");

    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    devices_.handleEvent(focus);
    std::memset(keys_, 0x80, sizeof keys_);
    EXPECT_EQ(pollAndRead(), "0000000000");
    EXPECT_EQ(std::count(keys_, keys_ + 256, 0), 256);
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    devices_.handleEvent(focus);
    EXPECT_EQ(pollAndRead(), "1000100000");

    detach();
    pump();
    EXPECT_FALSE(devices_.hasJoystick());
    EXPECT_EQ(pollAndRead(), "0000000000");
}

} // namespace
