// What the devices' raw state means to the game: the keyboard by position and a controller's
// sample, with the player's own keys and buttons.
#pragma once

#include <cstdint>

#include "app/player_settings.h"

// The stick and button values of one poll, as the polling thread takes them from the device.
struct JoySample {
    int16_t x = 0; // raw axis values, -32768 to 32767
    int16_t y = 0;
    bool dpad[4] = {}; // right, left, up, down (game controllers only)
    bool buttons[6] = {};
    uint32_t controllerButtons = 0; // bit b: PadButton b is down
};

constexpr int32_t kJoyAxisRange = 1000;

// A raw SDL axis value on the game's range of -1000 to 1000.
int32_t scaleAxis(int16_t raw);
// The ten joystick inputs (right, left, up, down, buttons 0-5) of a sample.
void joyStateFromSample(const JoySample& sample, uint8_t joyState[10]);
// The game's keys from the keyboard's state by position (count keys by usage, held[i] nonzero
// while down) with the player's own keys: a moved control's key reaches the game as that
// control's input number, and the shell's keys (pause, mute) never reach it.
void keysFromPositions(const uint8_t* held, int count, const PlayerSettings& settings,
                       uint8_t keys[256]);
// A game controller's sample with the player's own buttons standing for the controls that name
// one: the button a control names replaces the usual ones, which then do nothing for it.
JoySample withPadBindings(JoySample sample, const PlayerSettings& settings);
