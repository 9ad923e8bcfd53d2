// The game's controls and the inputs that work each: named once, for the ship, the game frame,
// the autoplayer and anyone reading an input log.
#pragma once

#include <cstdint>

#include "input/input.h"

enum class Control { kFire, kLink, kUp, kDown, kLeft, kRight, kRestart };

// A key and up to two joystick inputs; -1 is no input (it never reads as held).
struct ControlBinding {
    int32_t key;
    int32_t joystick[2];
};

// In the order of Control. Restarting after a game over takes the fire inputs.
constexpr ControlBinding kControlBindings[] = {
    {kKeyZ, {kJoyButton0, kJoyButton1}},  // fire
    {kKeyX, {kJoyButton2, kJoyButton3}},  // link: hold to let the chain swing
    {kKeyUp, {kJoyUp, -1}},               // up
    {kKeyDown, {kJoyDown, -1}},           // down
    {kKeyLeft, {kJoyLeft, -1}},           // left
    {kKeyRight, {kJoyRight, -1}},         // right
    {kKeyZ, {kJoyButton0, kJoyButton1}}}; // restart

constexpr const ControlBinding& bindingOf(Control control) {
    return kControlBindings[static_cast<int>(control)];
}
