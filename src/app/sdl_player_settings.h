// The player's own settings on the desktop, kept in config.txt after its display choice: keys
// and controller buttons for the seven controls, with the options every platform keeps.
#pragma once

#include <SDL2/SDL.h>

#include <array>
#include <string>
#include <vector>

#include "app/player_options.h"

struct PlayerSettings : PlayerOptions {
    // A position on the keyboard for each control.
    std::array<SDL_Scancode, kPlayerControlCount> keys{
        SDL_SCANCODE_Z,    SDL_SCANCODE_X,     SDL_SCANCODE_UP, SDL_SCANCODE_DOWN,
        SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_P};
    // A game-controller button for each; SDL_CONTROLLER_BUTTON_INVALID keeps the usual ones (A or
    // B fire, X or Y swing the chain, the pad's arrows, Start pauses).
    std::array<SDL_GameControllerButton, kPlayerControlCount> pads{
        SDL_CONTROLLER_BUTTON_INVALID, SDL_CONTROLLER_BUTTON_INVALID, SDL_CONTROLLER_BUTTON_INVALID,
        SDL_CONTROLLER_BUTTON_INVALID, SDL_CONTROLLER_BUTTON_INVALID, SDL_CONTROLLER_BUTTON_INVALID,
        SDL_CONTROLLER_BUTTON_INVALID};
};

// The controller line's name of a control ("pad-fire").
std::string padSettingName(PlayerControl control);
// The name a key or button is written and shown with ("Z", "Left Shift", "a").
std::string keyName(SDL_Scancode key);
std::string padButtonName(SDL_GameControllerButton button);
// Keys the game keeps for itself: Escape, F12, M and Pause never stand for a control.
bool isReservedKey(SDL_Scancode key);
// The controller button that does a control when no pad line names one (Start pauses).
SDL_GameControllerButton defaultPadButton(PlayerControl control);

// Reads the setting lines of config.txt's text. A line that cannot be read leaves its setting as
// it was and adds one message "line N: ..." to complaints; so does a key line giving a control a
// key another control has (an earlier line's, or one not moved), whose control keeps its own.
void parsePlayerSettings(const std::string& text, PlayerSettings& settings,
                         std::vector<std::string>& complaints);
// The lines that hold settings, each "NAME VALUE\n", in a fixed order.
std::string formatPlayerSettings(const PlayerSettings& settings);
// config.txt's text with settings written in: the display choice and every line that is not a
// setting stay as they are; the setting lines are replaced by the current ones.
std::string withPlayerSettings(const std::string& text, const PlayerSettings& settings);

// Reads config.txt (already known to exist or not) into settings, telling the player about every
// line it cannot read on standard error; false when the file could not be read at all.
bool loadPlayerSettings(const std::string& path, PlayerSettings& settings);
// Writes the settings into config.txt, keeping its display choice; false (with one line on
// standard error) when the file could not be read or replaced: it is then left as it was.
bool savePlayerSettings(const std::string& path, const PlayerSettings& settings);
