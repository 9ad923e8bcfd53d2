// The browser's keyboard (by key position, the DOM code) and the first gamepad of the Gamepad
// API, numbered as the desktop numbers its scan codes and joystick inputs.
#pragma once

#include <cstdint>
#include <string_view>

#include "input/input.h"

// The game's scan code of a DOM key code ("KeyZ", "ArrowUp"); 0 for a key without one.
uint8_t scanCodeForDomCode(std::string_view code);

class WebDevices : public InputSource {
  public:
    // Listens to the page's key events; arrow keys and the space bar no longer scroll it.
    void start() override;
    void readState(uint8_t keys[256], uint8_t joyState[10]) override;

    // What the shell takes from the devices, once each: a pause (P, Pause, a gamepad's Start) or
    // mute (M) request since the last call.
    bool takePauseRequest();
    bool takeMuteRequest();
    bool takeScreenshotRequest();
    // Every key reads as released (focus lost).
    void releaseAll();

    // Called by the page's key events.
    void keyEvent(std::string_view code, bool down);

  private:
    uint8_t held_[256] = {};
    bool pauseRequested_ = false;
    bool muteRequested_ = false;
    bool screenshotRequested_ = false;
    bool startWasDown_ = false;
};
