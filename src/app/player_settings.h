// The player's own settings, kept in config.txt after its display choice: keys (by position) and
// controller buttons for the seven controls, with the sound levels, mute and flashes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/player_options.h"
#include "input/keys.h"

struct PlayerSettings : PlayerOptions {
    // A position on the keyboard for each control, as a key's usage.
    std::array<uint16_t, kPlayerControlCount> keys{
        key_usage::kZ,    key_usage::kX,     key_usage::kUp, key_usage::kDown,
        key_usage::kLeft, key_usage::kRight, key_usage::kP};
    // A game-controller button for each; kNone keeps the usual ones (A or B fire, X or Y swing the
    // chain, the pad's arrows, Start pauses).
    std::array<PadButton, kPlayerControlCount> pads{
        PadButton::kNone, PadButton::kNone, PadButton::kNone, PadButton::kNone,
        PadButton::kNone, PadButton::kNone, PadButton::kNone};
};

// The controller line's name of a control ("pad-fire").
std::string padSettingName(PlayerControl control);

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
