// The browser's keyboard (by key position, the DOM code) and the first gamepad of the Gamepad
// API, read as the desktop reads its devices: positions through the player's bindings, and the
// shell's events.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/device_bindings.h"
#include "app/shell.h"
#include "input/input.h"

class WebDevices : public InputSource {
  public:
    // Listens to the page's key events; arrow keys and the space bar no longer scroll it.
    void start() override;
    void readState(uint8_t keys[256], uint8_t joyState[10]) override;

    // The player's keys and buttons.
    void setBindings(const PlayerSettings& settings) { settings_ = settings; }
    // Samples the gamepad (once a callback): its state for the game, its presses for the shell.
    void pollGamepad();
    // The keys and buttons pressed and released since the last call, for the shell.
    std::vector<ShellEvent> takeEvents();
    // Every key reads as released (focus lost).
    void releaseAll();

    // Called by the page's key events.
    void keyEvent(std::string_view code, bool down, bool repeat);

  private:
    static constexpr int kUsages = 512;
    uint8_t held_[kUsages] = {}; // by usage
    PlayerSettings settings_;
    JoySample pad_;
    uint32_t padWas_ = 0;
    std::vector<ShellEvent> events_;
};
