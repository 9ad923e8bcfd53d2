// A joystick pulled out during play: the game reads it as released and plays on. (No audio device
// is in the program runs; a missing data folder and a folder where nothing can be written, so
// that every score write fails, are played by the program in scripts/hardening.sh.)
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "desktop/sdl_devices.h"
#include "game/game_env.h"
#include "game/setup.h"
#include "world/game_state.h"

namespace {

// The live devices with SDL's virtual joystick: polled on their own thread as in the game.
class JoystickFaults : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }

    // A frame as the main loop runs it: events first, then the game, then the wait.
    void frame(SdlDevices& devices) {
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0)
            devices.handleEvent(event);
        ASSERT_TRUE(gameEnv->runFrame());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    static bool joystickAllUp() {
        for (uint8_t v : gameInput->joyState)
            if (v != 0) return false;
        return true;
    }
};

TEST_F(JoystickFaults, UnpluggedDuringPlayReadsUpAndPlayGoesOn) {
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 6, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* stick = SDL_JoystickOpen(index);
    ASSERT_NE(stick, nullptr);
    SDL_JoystickSetVirtualAxis(stick, 0, 32767);
    SDL_JoystickSetVirtualButton(stick, 0, 1);
    SDL_JoystickUpdate();

    SdlDevices devices;
    setupGame({.seed = 777, .inputSource = &devices, .uploadTextures = false});
    ASSERT_TRUE(devices.hasJoystick());
    // The polling thread answers within a frame or two; a loaded machine may take many more.
    bool sawFire = false;
    for (int i = 0; i < 5000 && !sawFire; ++i) {
        frame(devices);
        sawFire = gameInput->isDown(kJoyButton0) && gameInput->isDown(kJoyRight);
    }
    EXPECT_TRUE(sawFire);

    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    for (int i = 0; i < 5000 && (devices.hasJoystick() || !joystickAllUp()); ++i)
        frame(devices);
    EXPECT_FALSE(devices.hasJoystick());
    EXPECT_TRUE(joystickAllUp());
    const int32_t frames = gameEnv->state->frameCount;
    for (int i = 0; i < 100; ++i)
        frame(devices);
    EXPECT_EQ(gameEnv->state->frameCount, frames + 100);
    cleanupGame();
}

} // namespace
