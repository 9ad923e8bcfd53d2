// The lines of config.txt after the display choice, as every platform reads and writes them: the
// sound levels, mute and the game-over flashes here; the platform's keys and buttons through it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The settings that mean the same on every platform.
struct PlayerOptions {
    int32_t effects = 100; // percent of the game's own volumes
    int32_t ambient = 100;
    bool muted = false;
    bool flashes = true; // the white strobe as a game ends
};

// The controls a player can move to other keys, in the order the redefine prompt asks them.
enum class PlayerControl { kFire, kLink, kUp, kDown, kLeft, kRight, kPause };
constexpr int kPlayerControlCount = 7;

// The setting name of a control ("fire").
const char* controlName(PlayerControl control);
// The control a key line ("fire") or, with prefix "pad-", a button line names; -1 for none.
int controlIndex(const std::string& name, const std::string& prefix);
// Every name a setting line may start with.
bool isSettingName(const std::string& name);

// One setting line: its number in the file, the first word and the rest of the line (so a key
// named "Left Shift" is one value).
struct SettingLine {
    int number = 0;
    std::string name;
    std::string value;
    std::string problem; // why the line cannot be read at all, else empty
};

// The setting lines of config.txt's text, notes and blank lines left out. The display choice is
// the file's first word and the number after it (on the same or a later line) unless that word
// names a setting: a file of settings alone has none.
std::vector<SettingLine> settingLines(const std::string& text);
// The setting lines of a file that has no display choice (a lab setting), read as above.
std::vector<SettingLine> plainSettingLines(const std::string& text);
// Whether text begins with a display choice.
bool hasDisplayChoice(const std::string& text);

// Reads every setting line of text: the options into options, each key and button line through
// controlLine, which gives the reason it cannot use one (or empty). Returns the complaints,
// "line N: ...", of lines that could not be used: their settings stay as they were, and of a
// setting named twice the first line counts.
std::vector<std::string>
parseSettingLines(const std::string& text, PlayerOptions& options,
                  const std::function<std::string(const SettingLine&)>& controlLine);
bool isPlayerOptionName(const std::string& name);
std::string formatPlayerOptions(const PlayerOptions& options);

// config.txt's text with the lines whose names replaced() accepts taken out and lines appended;
// every other line stays, and a file without a display choice gets the default one first.
std::string withSettingLines(const std::string& text, bool (*replaced)(const std::string& name),
                             const std::string& lines);

// Reads config.txt whole; false, after one line on standard error when the file is there, when
// it cannot be read: not a regular file, larger than 1 MiB, no permission.
bool readConfigText(const std::string& path, std::string& text);
// Replaces config.txt with text; false after one line on standard error saying the settings are
// kept for this run when it cannot be: read-only, not a regular file, the folder unwritable. A
// symbolic link stays and its target is replaced.
bool writeConfigText(const std::string& path, const std::string& text);

// Tells the player on standard error about each complaint, "line N: ...".
void reportSettingComplaints(const std::string& path, const std::vector<std::string>& complaints);
