// The player's own settings, kept in config.txt after its first line: keys and controller buttons
// for the seven controls, sound levels, mute and the game-over flashes.
#pragma once

#include <SDL2/SDL.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The controls a player can move to other keys, in the order the redefine prompt asks them.
enum class PlayerControl { kFire, kLink, kUp, kDown, kLeft, kRight, kPause };
constexpr int kPlayerControlCount = 7;

struct PlayerSettings {
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
    int32_t effects = 100; // percent of the game's own volumes
    int32_t ambient = 100;
    bool muted = false;
    bool flashes = true; // the white strobe as a game ends
};

// The setting name of a control ("fire") and its controller line's name ("pad-fire").
const char* controlName(PlayerControl control);
std::string padSettingName(PlayerControl control);
// The name a key or button is written and shown with ("Z", "Left Shift", "a").
std::string keyName(SDL_Scancode key);
std::string padButtonName(SDL_GameControllerButton button);
// Keys the game keeps for itself: Escape, F12, M and Pause never stand for a control.
bool isReservedKey(SDL_Scancode key);
// The controller button that does a control when no pad line names one (Start pauses).
SDL_GameControllerButton defaultPadButton(PlayerControl control);

// Reads the lines after the first from config.txt's text. A line that cannot be read leaves its
// setting as it was and adds one message "line N: ..." to complaints.
void parsePlayerSettings(const std::string& text, PlayerSettings& settings,
                         std::vector<std::string>& complaints);
// The lines that hold settings, each "NAME VALUE\n", in a fixed order.
std::string formatPlayerSettings(const PlayerSettings& settings);
// config.txt's text with settings written in: the first line and every line that is not a
// setting stay as they are; the setting lines are replaced by the current ones.
std::string withPlayerSettings(const std::string& text, const PlayerSettings& settings);

// Reads config.txt (already known to exist or not) into settings, telling the player about every
// line it cannot read on standard error; false when the file could not be read at all.
bool loadPlayerSettings(const std::string& path, PlayerSettings& settings);
// Writes the settings into config.txt, keeping its first line; false (with one line on standard
// error) when the file could not be read or replaced: it is then left as it was.
bool savePlayerSettings(const std::string& path, const PlayerSettings& settings);
